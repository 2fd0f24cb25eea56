#pragma once
// The settings file "Lanceron.ini": the four options, the splitter position, the view modes
// of the two lists and the main window's state and geometry (in twips).
// Lire_Options pushes each stored value into the part of the program that it drives;
// Ecrire_Options reads those parts back. The values have no other copy.

#include <QString>

#include <optional>

namespace lanceron {

QString cheminReglages(const QString& dossierApplication);

// The main window's outer geometry in twips.
struct GeometrieTwips {
    std::optional<float> hauteur;
    std::optional<float> largeur;
    std::optional<float> haut;   // key "PositionX"
    std::optional<float> gauche; // key "PositionY"
};

// Where each setting lives while the program runs. An `appliquer…` that returns false
// refuses the value, which ends the reading as a failed conversion does.
class CibleReglages {
public:
    virtual ~CibleReglages() = default;

    // Options check boxes 0 to 3 (0 off, 1 on, 2 third state; anything else is refused).
    virtual bool appliquerOption(int index, qint16 valeur) = 0;
    virtual qint16 option(int index) = 0;

    // Splitter position, in twips, given as the stored text.
    virtual bool appliquerSplitter(const QString& texte) = 0;
    virtual double splitter() const = 0;

    // View mode (0 to 3) of List1 (liste 1) or List2 (liste 2).
    virtual bool appliquerVue(int liste, qint32 vue) = 0;
    virtual qint32 vue(int liste) const = 0;

    // The window-state value kept for the whole run ("Windows").
    virtual qint32 etatMemorise() const = 0;
    virtual void memoriserEtat(qint32 etat) = 0;
    // The main window's current state: 0 normal, 1 minimised, 2 maximised.
    virtual qint32 etatFenetre() const = 0;
    virtual void maximiser() = 0;

    // Applies the geometry read: the values stored up to the first that could not be
    // converted, the window's current ones (geometrie()) for the rest, so every field is set.
    // Not called when the height cannot be read. A position on no screen is not applied.
    virtual void appliquerGeometrie(const GeometrieTwips& g) = 0;
    virtual GeometrieTwips geometrie() const = 0;
};

// Reads the settings file and applies its values in order, stopping at the first value that
// cannot be converted or applied. With `optionsSeulement` (the options dialog has been opened
// from the menu) only the section OPTIONS is read.
void Lire_Options(const QString& fichier, bool optionsSeulement, CibleReglages& cible);

// Writes every key (the geometry only when the window is in the normal state). Keys other than
// these twelve, comments and the file's encoding stay as they are. Atomic; false with the
// system's reason in `erreur` when the file could not be written.
bool Ecrire_Options(const QString& fichier, CibleReglages& cible, QString* erreur = nullptr);

} // namespace lanceron
