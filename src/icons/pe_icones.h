#pragma once
// The icon of a Windows program or library (PE file: .exe, .dll): the first icon group of
// its resources, the one Windows shows for the file, rebuilt as an .ico file.

#include <QByteArray>
#include <QString>

class QIODevice;

namespace lanceron {

// The .ico file of the first icon group found in the resources of the PE file on `fichier`
// (open, random access), with the group's sound pictures in the group's order; empty when
// the file is not a PE file, has no icon group or is damaged. Only the headers and the
// resources concerned are read, at most LectureMaxPe bytes in all, whatever the file's size.
QByteArray icoDepuisPe(QIODevice& fichier);

// The same for the file at `chemin`; only regular files are opened (never a pipe, a device
// or a socket, which could block).
QByteArray icoDepuisFichierPe(const QString& chemin);

inline constexpr qint64 LectureMaxPe = 8 * 1024 * 1024;
// Larger files are not looked into.
inline constexpr qint64 TailleMaxFichierPe = qint64(4) * 1024 * 1024 * 1024;

} // namespace lanceron
