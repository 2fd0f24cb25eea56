#pragma once
// Naming of the running Windows version, and the program's own version.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace lanceron {

// The fields of the system's extended version record that the naming looks at.
struct EnregistrementVersion {
    enum Plateforme : quint32 { Win32s = 0, Windows95 = 1, WindowsNT = 2 };
    enum TypeProduit : quint8 { PosteDeTravail = 1, ControleurDeDomaine = 2, Serveur = 3 };
    enum Suite : quint16 { Entreprise = 0x0002, DataCenter = 0x0080, Personnel = 0x0200 };

    quint32 versionMajeure = 0;
    quint32 versionMineure = 0;
    quint32 idPlateforme = 0;
    QString szCSDVersion; // service-pack text
    quint16 wSuiteMask = 0;
    quint8 wProductType = 0;
};

// The name of the version described by `rec` ("Windows XP Professional"); "" when there is no
// record or when the version is not one of the known ones.
QString Version_Windows(const std::optional<EnregistrementVersion>& rec);

// The name of the running system; "" where the system gives no version record.
QString Version_Windows();

// The program's version, "major.minor.revision" ("1.0.2").
QString versionProgramme();

} // namespace lanceron
