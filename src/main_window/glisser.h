#pragma once
// Moving shortcuts with the mouse and the keyboard: files dropped from a file manager become
// shortcuts, a shortcut dragged within the shortcut list changes place, dragged onto a rubrique
// it moves there (Ctrl held: is copied). "Déplacer vers la rubrique…" and Ctrl+Up / Ctrl+Down
// do the same without a mouse. Every change goes through the catalogue and is saved at once.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QUrl>

class QMimeData;
class QRubberBand;
class QWidget;

namespace lanceron {

class Menu;

class Glisser final : public QObject {
    Q_OBJECT
public:
    // The shortcut being dragged: its rubrique's file and its position, on two lines.
    static const QString TypeRaccourci;

    explicit Glisser(Menu& menu);

    // One shortcut per local file of `urls`, appended to the rubrique `fichier` and saved at
    // once: a desktop entry gives its localized name, any other file its file name. Paths
    // holding a control character are left out. True when something was added.
    bool deposerFichiers(const QString& fichier, const QList<QUrl>& urls);
    // What a drag of the selected shortcut carries (its catalogue's folder, its rubrique's
    // file and its row, one a line), or of the selected search result; null when none is.
    QMimeData* donneesGlissees(bool depuisResultats);
    // Moves the selected shortcut of the shortcut list by `pas` rows (-1 up, 1 down).
    void decaler(int pas);
    // Moves (or copies) the selected shortcut of the shortcut list to the end of `destination`.
    void deplacerVers(const QString& destination, bool copier);
    // "Déplacer vers la rubrique…": the rubrique is chosen in a list.
    void Deplacer_Vers_Rubrique();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    bool accepte(const QMimeData* donnees) const;
    bool deposer(QWidget* zone, const QMimeData* donnees, const QPoint& position,
                 Qt::KeyboardModifiers touches);
    // The rectangle of `zone` that would receive `donnees` dropped at `position`: a rubrique's
    // row, a shortcut's row, or the whole list; empty when the drop would be refused.
    QRect cibleVisee(QWidget* zone, const QMimeData* donnees, const QPoint& position) const;
    void marquer(QWidget* zone, const QRect& cadre);
    void commencerGlisser(bool depuisResultats);

    Menu& m_menu;
    QPoint m_depart;
    bool m_appui = false;
    bool m_depuisResultats = false;
    QRubberBand* m_marque = nullptr; // outlines where a drop would go
    bool m_enCours = false; // a drop's files are being read
};

} // namespace lanceron
