#include "platform/icon_source_unix.h"

#include "icons/cles_icones.h"
#include "icons/contenu_image.h"
#include "icons/ico_format.h"
#include "icons/pe_icones.h"
#include "platform/entrees_bureau.h"
#include "platform/fichiers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QStandardPaths>

namespace lanceron {

namespace {

constexpr int CoteGrande = 32;
constexpr int CotePetite = 16;

qreal ratioPixels()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

int enPixels(int cote, qreal ratio)
{
    return qRound(cote * ratio);
}

// `image` fitted (proportions kept) and centred on a transparent square of `cote` logical
// pixels, drawn at `ratio` device pixels per logical pixel.
QImage ajuster(QImage image, int cote, qreal ratio)
{
    if (image.isNull())
        return {};
    const int pixels = enPixels(cote, ratio);
    image.setDevicePixelRatio(1.0);
    if (image.width() != pixels || image.height() != pixels)
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage carre(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    carre.fill(Qt::transparent);
    {
        QPainter peintre(&carre);
        peintre.drawImage((pixels - image.width()) / 2, (pixels - image.height()) / 2, image);
    }
    // A copy: the image painted on keeps its paint engine, a kilobyte for each icon kept.
    QImage icone = carre.copy();
    icone.setDevicePixelRatio(ratio);
    return icone;
}

IconeExtraite propre(const QImage& grande, const QImage& petite)
{
    if (grande.isNull() || petite.isNull())
        return {};
    return {IconeExtraite::Sorte::Propre, grande, petite};
}

// The images of a theme icon; its kind is left to the caller.
IconeExtraite depuisIcone(const QIcon& icone)
{
    const qreal ratio = ratioPixels();
    auto rendu = [&](int cote) {
        return ajuster(icone.pixmap(QSize(cote, cote), ratio).toImage(), cote, ratio);
    };
    return {IconeExtraite::Sorte::Aucune, rendu(CoteGrande), rendu(CotePetite)};
}

IconeExtraite depuisIco(const QList<ImageIco>& images)
{
    const qreal ratio = ratioPixels();
    auto rendu = [&](int cote) {
        // Only the chosen picture is decoded.
        const int i = choisirImageIco(images, enPixels(cote, ratio));
        if (i < 0)
            return QImage();
        return ajuster(QImage::fromData(construireIco({images[i]}), "ICO"), cote, ratio);
    };
    return propre(rendu(CoteGrande), rendu(CotePetite));
}

IconeExtraite depuisImage(const QString& chemin)
{
    // Only a regular file of bounded size is read, without waiting on a pipe or a device.
    LectureFichier l = lireFichierOrdinaire(chemin, IconSourceUnix::TailleMaxImage);
    if (l.issue != LectureFichier::Issue::Lu)
        return {};
    QBuffer tampon(&l.octets);
    tampon.open(QIODevice::ReadOnly);
    const QByteArray format = formatImage(l.octets); // the content tells, not the name
    if (format.isEmpty())
        return {};
    QImageReader lecteur(&tampon, format);
    if (format == "ico") {
        // Every picture of an icon file is checked before one is decoded.
        return depuisIco(imagesIco(l.octets));
    }
    if (format == "svg" &&
        pixelsIncorpores(l.octets) > IconSourceUnix::PixelsMaxIncorpores)
        return {};
    const QSize taille = lecteur.size(); // from the header only
    if (!taille.isValid() || taille.width() > IconSourceUnix::CoteMaxImage ||
        taille.height() > IconSourceUnix::CoteMaxImage)
        return {};
    const qreal ratio = ratioPixels();
    const int pixels = enPixels(CoteGrande, ratio);
    if (lecteur.supportsOption(QImageIOHandler::ScaledSize))
        lecteur.setScaledSize(taille.scaled(pixels, pixels, Qt::KeepAspectRatio));
    const QImage image = lecteur.read();
    return propre(ajuster(image, CoteGrande, ratio), ajuster(image, CotePetite, ratio));
}

IconeExtraite depuisEntreeBureau(const QString& chemin)
{
    const auto entree = lireEntreeBureau(chemin);
    const QString icone = entree ? entree->icone : QString();
    if (icone.isEmpty())
        return {};
    if (QDir::isAbsolutePath(icone))
        return depuisImage(icone);
    if (!QIcon::hasThemeIcon(icone))
        return {};
    const IconeExtraite theme = depuisIcone(QIcon::fromTheme(icone));
    return propre(theme.grande, theme.petite);
}

} // namespace

IconeExtraite IconSourceUnix::iconePropre(const QString& chemin)
{
    // Missing files, folders, pipes, devices and sockets have no icon of their own.
    if (!QFileInfo(chemin).isFile())
        return {};
    const QString extension = Extension_Fichier(chemin).toLower();
    if (extension == QLatin1String("desktop"))
        return depuisEntreeBureau(chemin);
    if (extension == QLatin1String("exe") || extension == QLatin1String("dll"))
        return depuisIco(imagesIco(icoDepuisFichierPe(chemin)));
    static const QStringList images = {QStringLiteral("ico"), QStringLiteral("png"),
                                       QStringLiteral("svg"), QStringLiteral("xpm"),
                                       QStringLiteral("bmp")};
    if (images.contains(extension))
        return depuisImage(chemin);
    return {};
}

bool IconSourceUnix::iconePropreHorsFil(const QString& chemin) const
{
    static const QStringList horsFil = {QStringLiteral("exe"), QStringLiteral("dll"),
                                        QStringLiteral("ico"), QStringLiteral("png"),
                                        QStringLiteral("svg"), QStringLiteral("xpm"),
                                        QStringLiteral("bmp")};
    return horsFil.contains(Extension_Fichier(chemin).toLower());
}

bool IconSourceUnix::iconePropreCouteuse(const QString& chemin) const
{
    return Extension_Fichier(chemin).compare(QStringLiteral("desktop"), Qt::CaseInsensitive) == 0;
}

IconeExtraite IconSourceUnix::iconeAssociee(const QString& chemin)
{
    // The content is read only from regular files: anything else (and a missing file) is
    // typed by its name, or by its kind for pipes, devices, sockets and folders.
    const QFileInfo info(chemin);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(
        info, info.isFile() ? QMimeDatabase::MatchDefault : QMimeDatabase::MatchExtension);
    for (const QString& nom : {type.iconName(), type.genericIconName()}) {
        if (!nom.isEmpty() && QIcon::hasThemeIcon(nom))
            return depuisIcone(QIcon::fromTheme(nom));
    }
    return {};
}

void configurerThemeIcones()
{
    const QString theme = QIcon::themeName();
    if (!theme.isEmpty() && theme != QLatin1String("hicolor"))
        return;
    QStringList chemins = QIcon::themeSearchPaths();
    QStringList systeme;
    for (const QString& dossier :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        systeme.append(dossier + QLatin1String("/icons"));
    systeme.append(QStringLiteral("/usr/share/icons"));
    for (const QString& dossier : std::as_const(systeme)) {
        if (!chemins.contains(dossier))
            chemins.append(dossier);
    }
    QIcon::setThemeSearchPaths(chemins);
    for (const QString& dossier : std::as_const(chemins)) {
        if (QFileInfo::exists(dossier + QLatin1String("/Adwaita/index.theme"))) {
            QIcon::setThemeName(QStringLiteral("Adwaita"));
            return;
        }
    }
}

} // namespace lanceron
