#pragma once
// Private-profile (INI) files with the semantics existing catalogues were written with:
// case-insensitive names, blanks trimmed, one pair of quotes dropped, first section and
// first key of a name win, ';' comments, values returned whole. Writing changes one value
// in place and keeps every other byte; saving is atomic.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace lanceron {

class ProfilPrive {
public:
    enum class Encodage { Utf8, Windows1252 };

    // State of the file as it was loaded.
    enum class Etat {
        Absent,     // no such file: reads as empty, the first write creates it
        Lu,         // read and parsed
        Inutilisable // a folder, unreadable, too large or binary: reads as empty, never saved over
    };

    ProfilPrive();

    // Reads and parses the file once. Never throws; see Etat.
    static ProfilPrive charger(const QString& chemin);
    // Parses bytes as they would be read from a file (encoding detected, line ends kept).
    static ProfilPrive depuisOctets(const QByteArray& octets);

    Etat etat() const { return m_etat; }
    Encodage encodage() const { return m_encodage; }
    // The reason when etat() is Inutilisable, in French.
    QString raison() const { return m_raison; }

    // The value of `cle` in the first section named `section`; "" when missing.
    QString lire(QStringView section, QStringView cle) const;
    // Names of all sections in file order (duplicates included), as written.
    QStringList sections() const;

    // Sets the value in place (see header comment); adds the key at the end of its section,
    // the section at the end of the file.
    void ecrire(const QString& section, const QString& cle, const QString& valeur);

    // The file's bytes: original encoding and line ends, or UTF-8 and LF for a new file.
    // A Windows-1252 file that must hold a character outside that code page becomes UTF-8.
    QByteArray octets() const;

    // Atomic save (temporary file then rename). Refuses an Inutilisable file. On failure
    // returns false with the system's reason in `erreur`; the file on disk is unchanged.
    bool enregistrer(const QString& chemin, QString* erreur = nullptr) const;

    // Largest file read; larger files are Inutilisable.
    static constexpr qint64 TailleMaximale = 16 * 1024 * 1024;

private:
    struct Ligne {
        QString texte;      // the line as read, without its line end
    };
    QList<Ligne> m_lignes;
    QByteArray m_finDeLigne = "\n";
    Encodage m_encodage = Encodage::Utf8;
    bool m_bom = false;
    bool m_finale = true; // the last line ended with a line end
    Etat m_etat = Etat::Absent;
    QString m_raison;
};

} // namespace lanceron
