#pragma once
// Fields of binary structures (icon files, executables), read from a block of bytes.
// A field that would lie even partly outside the block reads as 0: callers check sizes
// first, and a forgotten check can never read outside the block.

#include <QByteArrayView>
#include <QtEndian>

namespace lanceron::octets {

inline bool contient(QByteArrayView b, qint64 pos, qint64 n)
{
    return pos >= 0 && n >= 0 && pos <= b.size() && n <= b.size() - pos;
}

inline quint8 u8(QByteArrayView b, qint64 pos)
{
    return contient(b, pos, 1) ? quint8(b[pos]) : 0;
}

inline quint16 u16(QByteArrayView b, qint64 pos)
{
    return contient(b, pos, 2) ? qFromLittleEndian<quint16>(b.data() + pos) : 0;
}

inline quint32 u32(QByteArrayView b, qint64 pos)
{
    return contient(b, pos, 4) ? qFromLittleEndian<quint32>(b.data() + pos) : 0;
}

inline qint32 i32(QByteArrayView b, qint64 pos)
{
    return contient(b, pos, 4) ? qFromLittleEndian<qint32>(b.data() + pos) : 0;
}

inline quint32 u32be(QByteArrayView b, qint64 pos)
{
    return contient(b, pos, 4) ? qFromBigEndian<quint32>(b.data() + pos) : 0;
}

} // namespace lanceron::octets
