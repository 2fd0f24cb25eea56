#pragma once
// A main window over a temporary application folder, for the catalogue tests.

#include "edition/ajouter.h"
#include "main_window/liste_vue.h"
#include "testsupport.h"

#include <QtTest>

#include <functional>

namespace lanceron::test {

struct BancCatalogue : BancMenu {
    BancCatalogue() = default;
    // Started over the rubrique `nom` holding `raccourcis`.
    BancCatalogue(const QString& nom, const QList<QStringList>& raccourcis)
    {
        ecrireRubrique(dossier.chemin(), nom, raccourcis);
        demarrer();
    }

    // Runs `ouvrir`, which shows the editor modally, and lets `action` act on the open editor,
    // closed afterwards if still open. True when the editor was seen open.
    bool pendantEditeur(const std::function<void()>& ouvrir,
                        const std::function<void(Ajouter&)>& action)
    {
        bool vu = false;
        QTimer minuterie;
        QObject::connect(&minuterie, &QTimer::timeout, [&] {
            minuterie.stop();
            QPointer<Ajouter> a = menu->findChild<Ajouter*>();
            vu = a && a->isVisible();
            if (vu)
                action(*a);
            if (a && a->isVisible())
                a->close();
        });
        minuterie.start(0);
        ouvrir();
        // Closing destroys the editor once the events are processed.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return vu;
    }
};

} // namespace lanceron::test
