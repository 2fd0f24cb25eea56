#pragma once
// The preferences dialog `Options`. Its four check boxes are where the four options live while
// the program runs: the settings file is read into them and written from them, and changing a
// box applies the option to the main window's lists at once.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace lanceron {

class Menu;

class Options final : public QDialog {
    Q_OBJECT
public:
    explicit Options(Menu& menu);

    // Loading: centres the dialog on the main window and reads the stored options into the
    // boxes (all of the settings at start-up, only the options once opened from the menu).
    void Form_Load();

    // Box i: 0 not ticked, 1 ticked, 2 the dimmed third state. False for another value.
    bool setValeur(int index, int valeur);
    int valeur(int index) const;

    // Applies box i's effect to the lists.
    void Check1_Click(int index);
    // 0 "&Ok": writes the settings, then closes; 1 "&Annuler": closes.
    void Command1_Click(int index);

    QCheckBox* Check1[4] = {};
    QPushButton* Command1[2] = {};
    QGroupBox* Frame1[2] = {};

private:
    Menu& m_menu;
};

} // namespace lanceron
