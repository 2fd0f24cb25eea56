#pragma once
// "Importer les applications installées…": the installed applications, grouped in rubriques,
// each rubrique with its count and a check box; Ok imports the ticked ones.

#include "catalogue/import.h"

#include <QDialog>

class QListWidget;

namespace lanceron {

class Menu;

class ImportDialogue final : public QDialog {
    Q_OBJECT
public:
    ImportDialogue(const QList<GroupeImport>& groupes, QWidget* parent = nullptr);

    // The groups whose box is ticked.
    QList<GroupeImport> choisis() const;
    QListWidget* liste() const { return m_liste; }

private:
    QList<GroupeImport> m_groupes;
    QListWidget* m_liste;
};

// Lists the applications that no rubrique holds yet, asks which rubriques to fill, imports
// them (with a progress window past half a second), then selects the first rubrique filled.
void Importer_Applications(Menu& menu);

} // namespace lanceron
