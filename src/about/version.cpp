#include "about/version.h"

#include "platform/version_systeme.h"

namespace lanceron {

namespace {

using V = EnregistrementVersion;

QString nomWindows95(const V& v)
{
    // The letters are looked for anywhere in the service-pack text.
    const QString csd = v.szCSDVersion.toUpper();
    switch (v.versionMineure) {
    case 0:
        return csd.contains(QLatin1Char('C')) ? QStringLiteral("Windows 95 OSR2")
                                              : QStringLiteral("Windows 95");
    case 10:
        return csd.contains(QLatin1Char('A')) ? QStringLiteral("Windows 98 SE")
                                              : QStringLiteral("Windows 98");
    case 90:
        return QStringLiteral("Windows Me");
    default:
        return {};
    }
}

QString nomNT3(const V& v)
{
    switch (v.versionMineure) {
    case 0:
        return QStringLiteral("Windows NT 3");
    case 1:
        return QStringLiteral("Windows NT 3.1");
    case 5:
        return QStringLiteral("Windows NT 3.5");
    case 51:
        return QStringLiteral("Windows NT 3.51");
    default:
        return {};
    }
}

QString nomNT5(const V& v)
{
    const bool entreprise = v.wSuiteMask & V::Entreprise;
    if (v.versionMineure == 0) {
        if (v.wProductType == V::PosteDeTravail)
            return QStringLiteral("Windows 2000 Professional");
        if (v.wProductType != V::Serveur)
            return {};
        if (entreprise)
            return QStringLiteral("Windows 2000 Advanced Server");
        if (v.wSuiteMask & V::DataCenter)
            return QStringLiteral("Windows 2000 DataCenter Server");
        return QStringLiteral("Windows 2000 Server");
    }
    if (v.versionMineure == 1) {
        if (v.wProductType == V::PosteDeTravail)
            return v.wSuiteMask & V::Personnel ? QStringLiteral("Windows XP Home Edition")
                                               : QStringLiteral("Windows XP Professional");
        return entreprise ? QStringLiteral("Windows .NET Enterprise Server")
                          : QStringLiteral("Windows .NET Server");
    }
    return {};
}

QString nomNT(const V& v)
{
    switch (v.versionMajeure) {
    case 3:
        return nomNT3(v);
    case 4:
        return QStringLiteral("Windows NT 4");
    case 5:
        return nomNT5(v);
    default:
        return {};
    }
}

} // namespace

QString Version_Windows(const std::optional<EnregistrementVersion>& rec)
{
    if (!rec)
        return {};
    switch (rec->idPlateforme) {
    case V::Win32s:
        return QStringLiteral("Windows 3.x");
    case V::Windows95:
        return nomWindows95(*rec);
    case V::WindowsNT:
        return nomNT(*rec);
    default:
        return {};
    }
}

QString Version_Windows()
{
    return Version_Windows(lireVersionSysteme());
}

QString versionProgramme()
{
    return QString::number(LANCERON_VERSION_MAJOR) + QLatin1Char('.') +
           QString::number(LANCERON_VERSION_MINOR) + QLatin1Char('.') +
           QString::number(LANCERON_VERSION_PATCH);
}

} // namespace lanceron
