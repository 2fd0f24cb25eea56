#pragma once
// IcoFichier: the icon store of the shortcut list. Each icon is kept once, as a pair of
// images (Ico32 and Ico16, same number), under a key: the program path for a file's own
// icon, the extension in capitals followed by "ID" for the icon of its file type. The keys
// and numbers grow during the run and are never emptied; the images are kept for a bounded
// number of pairs (those shown and the last used), the others taken again from their file
// when they are wanted.

#include "platform/chemins_natifs.h"
#include "platform/icon_source.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSet>
#include <QString>

#include <functional>

namespace lanceron {

class IcoFichier {
public:
    // Image numbers are 16-bit signed numbers from 1. When the store holds NombreMaxImages - 1
    // pairs, the last place takes one blank pair that every later new key shares.
    static constexpr int NombreMaxImages = 32767;

    // The images of this many pairs are kept, besides those shown.
    static constexpr int PairesGardees = 64;

    // `capacite` (at least 1) lowers the number of places, `gardees` the pairs kept, for tests.
    explicit IcoFichier(IconSource& source, int capacite = NombreMaxImages,
                        int gardees = PairesGardees);

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
    // Image n of Ico32 (32x32 logical pixels) or of Ico16 (16x16); null outside 1..nombre()
    // and while the pair's images are let go.
    QPixmap grande(int n) const;
    QPixmap petite(int n) const;
    // Both images of pair n as one icon; null outside 1..nombre(). A pair whose images were
    // let go is taken again: by the function given to setReprise() when there is one (the
    // icon is null until it calls reprendre()), here and now otherwise.
    QIcon icone(int n);
    QString cle(int n) const;

    // Whether the images of pair n are held.
    bool gardee(int n) const;
    // Takes the images of pair n again from the file whose icon gave them: its own icon, or
    // the icon of its type. Safe on any thread: it only asks the source.
    static IconeExtraite extraire(IconSource& source, const QString& origine, bool associee);
    QString origine(int n) const;
    bool associee(int n) const;
    // Gives pair n its images again (from extraire()), when they are still let go.
    void reprendre(int n, const IconeExtraite& icone);
    // The pairs shown now, whose images are never let go.
    void setEnUsage(std::function<QList<int>()> f) { m_enUsage = std::move(f); }
    void setReprise(std::function<void(int)> f) { m_reprise = std::move(f); }

private:
    int numeroDeCle(const QString& cle, const IconeExtraite& icone, const QString& origine,
                    bool associee);
    void remplacer(int n, const IconeExtraite& icone);
    void poser(int n, const IconeExtraite& icone);
    void limiter(int aussi);

    IconSource& m_source;
    int m_capacite;
    QList<QPixmap> m_ico32;
    QList<QPixmap> m_ico16;
    QList<QIcon> m_icones; // both sizes of each pair, built once for the views
    QList<QString> m_cles;
    QList<QString> m_origines;    // the file whose icon gave each pair
    QList<bool> m_associees;      // and whether it is the icon of its type
    QList<quint64> m_usage; // when each pair was last asked for; 0: its images are let go
    quint64 m_horloge = 0;
    QSet<int> m_enReprise;  // asked for again, not back yet
    int m_maxGardees;
    int m_gardees = 0;
    std::function<QList<int>()> m_enUsage;
    std::function<void(int)> m_reprise;
    QHash<QString, int> m_parCle;
    struct Vu {
        EmpreinteFichier empreinte;
        int numero = 0;
    };
    QHash<QString, Vu> m_parChemin;
    int m_numeroPlein = 0; // the shared blank pair of a full store
};

} // namespace lanceron
