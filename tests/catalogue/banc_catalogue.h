#pragma once
// A main window over a temporary application folder, for the catalogue tests.

#include "catalogue/ajouter.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace lanceron::test {

struct BancCatalogue : BancMenu {
    QString fichier(const QString& nom) const { return fichierRubrique(nom); }
    // Every file of the rubrique folder with its bytes.
    QMap<QString, QByteArray> contenu() const
    {
        QMap<QString, QByteArray> c;
        const QStringList noms = QDir(rubriques()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& n : noms)
            c.insert(n, lireOctets(rubriques() + QLatin1Char('/') + n));
        return c;
    }
    QString rubriqueSelectionnee() const { return menu->rubriqueSelectionnee(); }
    QList<PromptsScriptes::Appel>& appels() { return services.prompts.appels; }

    // Runs `ouvrir`, which shows the editor modally, and lets `action` act on the open
    // editor; the editor is closed afterwards if the action left it open. True when the
    // editor was seen open.
    bool pendantEditeur(const std::function<void()>& ouvrir,
                        const std::function<void(Ajouter&)>& action)
    {
        bool vu = false;
        QTimer minuterie;
        minuterie.setSingleShot(true);
        QObject::connect(&minuterie, &QTimer::timeout, menu.get(), [this, &vu, action] {
            QPointer<Ajouter> a = menu->findChild<Ajouter*>();
            if (!a || !a->isVisible())
                return;
            vu = true;
            action(*a);
            if (a && a->isVisible())
                a->close();
        });
        minuterie.start(0);
        ouvrir();
        minuterie.stop();
        // Closing destroys the editor once the events are processed.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return vu;
    }
};

} // namespace lanceron::test
