#include "main_window/images_barre.h"

#include "platform/fichiers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <iterator>

namespace lanceron {

namespace {

struct Picture {
    const char* themes; // icon names, best first, separated by blanks
    QStyle::StandardPixmap secours;
};

constexpr Picture PicturesBarre[11] = {
    {"folder-new", QStyle::SP_FileDialogNewFolder},
    {"list-add", QStyle::SP_FileIcon},
    {"document-edit", QStyle::SP_FileDialogDetailedView},
    {"edit-delete", QStyle::SP_TrashIcon},
    // Adwaita's coloured "document-properties" looks disabled at 16 pixels.
    {"document-properties-symbolic document-properties", QStyle::SP_FileDialogInfoView},
    {"view-refresh", QStyle::SP_BrowserReload},
    {"preferences-system", QStyle::SP_ComputerIcon},
    {"web-browser", QStyle::SP_DriveNetIcon},
    {"document-save-as", QStyle::SP_DialogSaveButton},
    {"help-about", QStyle::SP_MessageBoxInformation},
    {"application-exit", QStyle::SP_DialogCloseButton},
};

constexpr qreal Ratios[] = {1, 2};

QList<QIcon> chercherDansLeTheme()
{
    QList<QIcon> images;
    for (const Picture& p : PicturesBarre) {
        QIcon image;
        const QStringList noms = QString::fromLatin1(p.themes).split(QLatin1Char(' '));
        for (const QString& nom : noms) {
            for (const QString& variante : {nom, nom + QStringLiteral("-symbolic")}) {
                if (image.isNull())
                    image = QIcon::fromTheme(variante);
            }
        }
        images << (image.isNull() ? QApplication::style()->standardIcon(p.secours) : image);
    }
    return images;
}

QString dossierCache()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/lanceron/barre");
}

QString fichierImage(int i, qreal ratio)
{
    return dossierCache() + QStringLiteral("/%1-%2.png").arg(i).arg(ratio);
}

// What the pictures found depend on.
QByteArray empreinte()
{
    QStringList e{QIcon::themeName(), QIcon::fallbackThemeName(), QApplication::style()->name()};
    e += QIcon::themeSearchPaths();
    for (const Picture& p : PicturesBarre)
        e << QString::fromLatin1(p.themes);
    return e.join(QLatin1Char('\n')).toUtf8();
}

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.read(1 << 20) : QByteArray();
}

// Writes the pictures that differ from those kept, then what they depend on.
void garder(const QList<QIcon>& images, const QByteArray& depend)
{
    QDir().mkpath(dossierCache());
    for (int i = 0; i < images.size(); ++i) {
        for (const qreal ratio : Ratios) {
            const QImage image = images[i]
                                     .pixmap(QSize(16, 16), ratio)
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32);
            if (QImage(fichierImage(i, ratio)).convertToFormat(QImage::Format_ARGB32) != image)
                image.save(fichierImage(i, ratio), "PNG");
        }
    }
    if (lire(dossierCache() + QStringLiteral("/empreinte")) != depend)
        ecrireAtomiquement(dossierCache() + QStringLiteral("/empreinte"), depend);
}

} // namespace

QList<QIcon> imagesBarre()
{
    const QByteArray depend = empreinte();
    QList<QIcon> images;
    if (lire(dossierCache() + QStringLiteral("/empreinte")) == depend) {
        for (int i = 0; i < int(std::size(PicturesBarre)); ++i) {
            QIcon image;
            for (const qreal ratio : Ratios) {
                if (QFile::exists(fichierImage(i, ratio)))
                    image.addFile(fichierImage(i, ratio), QSize(16, 16) * ratio);
            }
            images << image;
        }
    }
    if (images.size() == int(std::size(PicturesBarre)) &&
        std::none_of(images.cbegin(), images.cend(), [](const QIcon& i) { return i.isNull(); })) {
        QTimer::singleShot(5000, qApp, [depend] { garder(chercherDansLeTheme(), depend); });
        return images;
    }
    images = chercherDansLeTheme();
    garder(images, depend);
    return images;
}

} // namespace lanceron
