#pragma once
// The about box: product name, version, credits and a blinking link to the maker's web site.

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QString>

class QLabel;
class QTimer;

namespace lanceron {

class Shell;

// The program's icon, drawn from its SVG at any size.
QIcon iconeLanceron();

class Info : public QDialog {
    Q_OBJECT

public:
    static const QString AdresseSite;

    // The web site is opened through `shell`, which must outlive the box.
    explicit Info(Shell& shell, QWidget* parent = nullptr);

public slots:
    void Command1_Click();
    void Label2_Click(int index);
    void Label3_Click();
    // Toggles the link colour between the button-text colour and blue; runs every second.
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void Form_Load();
    int enPixels(int twips) const;
    QRect enPixels(const QRect& twips) const;
    QLabel* ajouterLabel(const QString& nom, const QString& texte, const QRect& twips,
                         qreal points = 8.25, bool gras = false);
    // A horizontal line one pixel thick from (x1, y) to (x2, y), in twips, moved down by
    // `decalage` pixels.
    void ajouterTrait(const QString& nom, int x1, int x2, int y, QPalette::ColorRole couleur,
                      int decalage = 0);
    QColor couleurLien() const;
    void colorerLien(const QColor& couleur);

    Shell& m_shell;
    QLabel* m_version = nullptr; // Label1 index 1
    QList<QLabel*> m_label2;
    QLabel* m_label3 = nullptr;
    QTimer* m_timer1;
};

} // namespace lanceron
