// Lanceron: a program launcher. One instance per application folder; the main window does the
// rest.

#include "about/info.h"
#include "main_window/menu.h"
#include "platform/clavier.h"
#include "platform/dossier_application.h"
#include "platform/icon_source_unix.h"
#include "platform/instance_unique.h"
#include "platform/memoire.h"
#include "platform/prompts.h"
#include "platform/shell_unix.h"
#include "platform/signaux.h"

#include <QApplication>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QThreadPool>
#include <QTranslator>

int main(int argc, char* argv[])
{
    lanceron::reglerAllocateur();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanceron"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(LANCERON_VERSION_MAJOR)
                                            .arg(LANCERON_VERSION_MINOR)
                                            .arg(LANCERON_VERSION_PATCH));
    QApplication::setDesktopFileName(QStringLiteral("lanceron"));
    // Two things that the window waits for are made ready on other threads while it is built:
    // the fonts, and Qt's image plug-ins, which the first picture read (a toolbar's) loads all
    // at once.
    QThreadPool::globalInstance()->start(&lanceron::Menu::preparerPolices);
    QThreadPool::globalInstance()->start([] { QImageReader::supportedImageFormats(); });
    // Installed first, so that a stop asked during start-up is not lost. Closing every window
    // ends an open dialog too, then the main window through its normal shutdown.
    lanceron::Signaux signaux;
    QObject::connect(&signaux, &lanceron::Signaux::arret, &app, &QApplication::closeAllWindows);

    // The interface is French, Qt's own buttons and dialogs included.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator traductionQt;
    const auto traduire = [&traductionQt] {
        if (traductionQt.isEmpty() &&
            traductionQt.load(QLocale(QLocale::French), QStringLiteral("qtbase"),
                              QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&traductionQt);
    };

    lanceron::configurerThemeIcones();

    lanceron::PromptsQt prompts;
    const QString dossier = lanceron::dossierApplication(QApplication::applicationDirPath());
    const lanceron::InstanceUnique instance(dossier);
    // Only a live instance stops this one; a lock that cannot be taken for another reason (no
    // runtime folder, no permission) lets the program run without the guard.
    if (instance.etat() == lanceron::InstanceUnique::Etat::DejaActive) {
        traduire();
        QApplication::setWindowIcon(lanceron::iconeLanceron());
        prompts.message(nullptr,
                        QStringLiteral("L'application est déja active dans votre environnement "
                                       "Windows."),
                        QStringLiteral("Attention"), lanceron::IconeMessage::Information,
                        lanceron::BoutonsMessage::Ok);
        return 0;
    }

    lanceron::ShellUnix shell;
    lanceron::IconSourceUnix icones;
    const auto clavier = lanceron::creerEtatClavier();
    const lanceron::Services services{&prompts, &shell, &icones, clavier.get()};

    lanceron::Menu fenetre(dossier, services);
    // Nothing that Qt writes itself shows before the first frame: its translation is read
    // after it, and the program's icon (drawn at every size the desktop may ask) is given then.
    QObject::connect(&fenetre, &lanceron::Menu::premiereImage, &app, [&traduire] {
        traduire();
        QApplication::setWindowIcon(lanceron::iconeLanceron());
    });
    fenetre.remplirApresPremiereImage();
    fenetre.Form_Load();
    fenetre.show();
    return QApplication::exec();
}
