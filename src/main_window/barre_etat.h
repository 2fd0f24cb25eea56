#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace lanceron {

class EtatClavier;

// The status bar `StatusBar1`: the program's tagline, the Caps Lock ("Maj") and Num Lock
// ("Num") indicators, the time and the date, kept current by itself.
class BarreEtat final : public QStatusBar {
    Q_OBJECT
public:
    static const QString TexteAccueil;

    BarreEtat(EtatClavier* clavier, QWidget* parent = nullptr);

    // Panels 1 to 5.
    QLabel* panneau(int numero) const;
    // Shows `texte` in the first panel for a few seconds, then the tagline again.
    void afficherMessage(const QString& texte, int millisecondes = 6000);
    // Refreshes the indicators, the time and the date.
    void actualiser();

private:
    EtatClavier* m_clavier;
    QLabel* m_panneaux[5];
    QTimer* m_horloge;
    QTimer* m_message;
};

} // namespace lanceron
