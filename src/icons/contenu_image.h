#pragma once
// What the bytes of a picture file tell before it is decoded: its format, among those the
// program reads, and what drawing an SVG document would decode.

#include <QByteArray>
#include <QByteArrayView>

namespace lanceron {

// "png", "ico", "bmp", "xpm" or "svg" from the first bytes; empty for any other content.
// (Left to guess, Qt's reader would ask every image plug-in installed.)
QByteArray formatImage(QByteArrayView octets);

// The pixels of the pictures embedded in an SVG document (base64 data), read from their
// headers only: drawing the document decodes every one of them whole. An embedded SVG
// document counts its own embedded pictures; a compressed one, or one nested more than four
// deep, counts more than any limit.
qint64 pixelsIncorpores(const QByteArray& svg, int profondeur = 0);

} // namespace lanceron
