#pragma once
// The shortcut editor `Ajouter`: name, program file, window state and command line of one
// shortcut of the selected rubrique. The caption of the confirm button Command1(1) holds the
// mode: "Ajouter" appends a row at each press and stays open; anything else ("Modifier")
// writes the fields into the selected row and closes. Closing destroys the dialog, so each
// opening starts from the design.

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

    // 0 "...": Ajouter_Fichier; 1 the confirm button; 2 "Annuler": closes.
    void Command1_Click(int index);
    // Asks for the program file; its name goes to Text1, its full path to Text2.
    void Ajouter_Fichier();
    // Add mode: checks the name and the path, appends the row and saves the rubrique.
    void Ajouter_Item();
    // Modify mode: writes the fields into the selected row (which keeps its icon) and saves.
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

    Menu& m_menu;
};

} // namespace lanceron
