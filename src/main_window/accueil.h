#pragma once
// What the shortcut pane shows while there is no rubrique: a short explanation and the two
// ways to begin. Nothing is created until the user asks.

#include <QWidget>

class QPushButton;

namespace lanceron {

class Accueil final : public QWidget {
    Q_OBJECT
public:
    explicit Accueil(QWidget* parent = nullptr);

    QPushButton* boutonCreer() const { return m_creer; }
    QPushButton* boutonImporter() const { return m_importer; }

signals:
    void creer();
    void importer();

private:
    QPushButton* m_creer;
    QPushButton* m_importer;
};

} // namespace lanceron
