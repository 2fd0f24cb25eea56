#pragma once
// The shortcut editor `Ajouter`: name, program file, window state and command line of one
// shortcut of the rubrique shown in the shortcut list when the editor was loaded; it writes into
// that rubrique only. The caption of the confirm button Command1(1) holds the mode: "Ajouter"
// appends a shortcut at each press and stays open; anything else ("Modifier") writes the fields
// into the shortcut it was opened for and closes. Closing destroys the dialog, so each opening
// starts from the design. The editable fields drop the control characters (a line break, a NUL)
// that a rubrique file cannot hold.

#include "storage/rubrique_fichier.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lanceron {

class Menu;

class Ajouter final : public QDialog {
    Q_OBJECT
public:
    explicit Ajouter(Menu& menu);

    // Loading: centred on the main window, "Fenêtre normale" chosen.
    void Form_Load();
    // Modify mode for the shortcut at `index` (from 0) of the rubrique: caption, confirm button
    // and fields filled from it.
    void preparerModification(int index);

    // 0 "...": Ajouter_Fichier; 1 the confirm button; 2 "Annuler": closes.
    void Command1_Click(int index);
    // Asks for the program file; its name goes to Text1, its full path to Text2.
    void Ajouter_Fichier();
    // Add mode: checks the name and the path, appends the row and saves the rubrique.
    void Ajouter_Item();
    // Modify mode: writes the fields into the shortcut (whose row keeps its icon) and saves.
    void Modifier_Item();

    QGroupBox* Frame1 = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Label1[4] = {};
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* Command1[3] = {};

protected:
    // No button answers Enter or Escape; the close box still closes, like "Annuler".
    void keyPressEvent(QKeyEvent* e) override;

private:
    void informer(const QString& texte);
    Raccourci raccourci() const;

    Menu& m_menu;
    QString m_fichier; // the rubrique written into
    int m_index = -1;  // modify mode: the shortcut changed
};

} // namespace lanceron
