#pragma once
// IcoFichier: the icon store of the shortcut list. Each icon is kept once, as a pair of
// images (Ico32 and Ico16, same number), under a key: the program path for a file's own
// icon, the extension in capitals followed by "ID" for the icon of its file type. The store
// grows during the run and is never emptied.

#include "platform/chemins_natifs.h"
#include "platform/icon_source.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>

namespace lanceron {

class IcoFichier {
public:
    // Image numbers are 16-bit signed numbers from 1. When the store holds NombreMaxImages - 1
    // pairs, the last place takes one blank pair that every later new key shares.
    static constexpr int NombreMaxImages = 32767;

    // `capacite` (at least 1) lowers the number of places, for tests.
    explicit IcoFichier(IconSource& source, int capacite = NombreMaxImages);

    // The number of the image pair of the program file at `chemin`, adding the pair first
    // when its key is new. A path already seen, whose file has not appeared, changed or gone
    // since (same size and modification time), is answered without asking the source again;
    // a changed file's own icon replaces the pair kept under its path.
    int Ajouter_Icone(const QString& chemin);
    // The same, with the file's own icon already extracted (`propre`, from the source's
    // iconePropre): the keys are decided here exactly as above.
    int Ajouter_Icone(const QString& chemin, const IconeExtraite& propre);

    // The number already given to `chemin`, or to the key `cle`; 0 when there is none yet.
    // The pair already given to the file at `chemin` when the file has not changed since; 0
    // otherwise.
    int numeroChemin(const QString& chemin) const;
    int numeroCle(const QString& cle) const { return m_parCle.value(cle); }
    int capacite() const { return m_capacite; }
    IconSource& source() const { return m_source; }

    int nombre() const { return int(m_cles.size()); }
    // Image n of Ico32 (32x32 logical pixels) or of Ico16 (16x16); null outside 1..nombre().
    QPixmap grande(int n) const;
    QPixmap petite(int n) const;
    // Both images of pair n as one icon; null outside 1..nombre().
    QIcon icone(int n) const;
    QString cle(int n) const;

private:
    int numeroDeCle(const QString& cle, const IconeExtraite& icone);
    void remplacer(int n, const IconeExtraite& icone);

    IconSource& m_source;
    int m_capacite;
    QList<QPixmap> m_ico32;
    QList<QPixmap> m_ico16;
    QList<QIcon> m_icones; // both sizes of each pair, built once for the views
    QList<QString> m_cles;
    QHash<QString, int> m_parCle;
    struct Vu {
        EmpreinteFichier empreinte;
        int numero = 0;
    };
    QHash<QString, Vu> m_parChemin;
    int m_numeroPlein = 0; // the shared blank pair of a full store
};

} // namespace lanceron
