#pragma once
// Private-profile (INI) files with the semantics existing catalogues were written with:
// case-insensitive names, blanks trimmed, one pair of quotes dropped, first section and
// first key of a name win, ';' comments, values returned whole. Writing changes one value
// in place and keeps every other byte; saving is atomic.
//
// Reading rules. Lines end at LF, CR LF or a lone CR; blanks (space, tab) at both ends of a
// line, a name or a value are ignored. A line whose first character is '[' opens a section
// named by the text up to its last ']'; a line starting with ';' is a comment; any other
// non-empty line is a key: its name is the text before the first '=', its value the text
// after it ("a;b" is the value a;b), and a line without '=' is a key with an empty value.
// A value wrapped in one pair of matching quotes (double or single) loses them. Only the
// first section of a name is read, and in it the first key of a name; keys before the first
// section belong to none. A missing file, section or key reads as "".
//
// Writing rules. A value is one line: each line break in it (CR LF, CR or LF) is written as
// one blank. A value that starts or ends with a blank, or starts and ends with the same
// quote character, is written between double quotes, so that it reads back exactly.
// Section and key names are the program's own: one line each; a key name holds no '=' and
// does not start with '[' or ';'.
//
// Encoding. Bytes that are valid UTF-8 (after an optional UTF-8 byte-order mark) are UTF-8,
// anything else is Windows-1252. A file keeps its encoding, byte-order mark and line ends;
// a Windows-1252 file that must hold a character outside that code page is written wholly
// in UTF-8. A new document is UTF-8 with LF line ends.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lanceron {

class ProfilPrive {
public:
    enum class Encodage { Utf8, Windows1252 };

    // State of the file as it was loaded.
    enum class Etat {
        Absent,      // no such file: reads as empty, the first write creates it
        Lu,          // read and parsed
        Inutilisable // not a regular file, unreadable, too large or binary (NUL bytes):
                     // reads as empty, never saved over
    };

    ProfilPrive();

    // Reads and parses the file once. Never throws; see Etat.
    static ProfilPrive charger(const QString& chemin);
    // Parses bytes as they would be read from a file (encoding detected, line ends kept).
    static ProfilPrive depuisOctets(const QByteArray& octets);
    // An empty document that keeps the model's encoding, byte-order mark, line ends and
    // state: for rewriting a file whole. The copy of an Inutilisable file still refuses to be
    // saved.
    static ProfilPrive vierge(const ProfilPrive& modele);

    Etat etat() const { return m_etat; }
    // The encoding octets() writes in: the file's own, or UTF-8 once a character outside
    // Windows-1252 has been written into a Windows-1252 file.
    Encodage encodage() const { return m_encodage; }
    // The reason when etat() is Inutilisable, in French.
    QString raison() const { return m_raison; }

    // The value of `cle` in the first section named `section`; "" when missing.
    QString lire(QStringView section, QStringView cle) const;
    // Names of all sections in file order (duplicates included), as written.
    QStringList sections() const;

    // Sets the value in place: only the value's text changes, the name and every other byte
    // stay. A missing key is added after the last key line of its section, a missing section
    // at the end of the file, each as a new `key=value` or `[section]` line.
    void ecrire(const QString& section, const QString& cle, const QString& valeur);

    // The file's bytes: original encoding and line ends, or UTF-8 and LF for a new file.
    // A Windows-1252 file that must hold a character outside that code page becomes UTF-8.
    QByteArray octets() const;

    // Atomic save (temporary file then rename). Refuses an Inutilisable file. On failure
    // returns false with the reason in `erreur`; the file on disk is unchanged.
    bool enregistrer(const QString& chemin, QString* erreur = nullptr) const;

    // Largest file read; larger files are Inutilisable.
    static constexpr qint64 TailleMaximale = 16 * 1024 * 1024;

private:
    enum class FinDeLigne : quint8 { Aucune, Lf, CrLf, Cr };

    struct Ligne {
        QString texte;  // the line as read, without its line end
        FinDeLigne fin; // Aucune only for a last line that has none
    };

    // A section: its header line, then every line up to the next header.
    struct Bloc {
        QString nom;               // as written, trimmed
        QList<Ligne> lignes;       // lignes[0] is the header
        qsizetype derniereCle = 0; // index of the last key line (0: none yet)
        bool premier = true;       // the first section of its name: the one read and written;
                                   // a later one is only kept as text
    };

    // A key of a section read: the section's bloc and the key's case-folded name.
    struct Adresse {
        qsizetype bloc;
        QString cle;
        friend bool operator==(const Adresse&, const Adresse&) = default;
        friend size_t qHash(const Adresse& a, size_t graine)
        {
            return qHashMulti(graine, a.bloc, a.cle);
        }
    };

    static ProfilPrive inutilisable(const QString& raison);
    void analyser(const QString& texte);
    void ajouterLigne(QString texte, FinDeLigne fin);
    qsizetype bloc(const QString& section);
    void terminer(Ligne& ligne) const;
    void admettre(QStringView texte);

    QList<Ligne> m_preambule; // lines before the first section header
    QList<Bloc> m_blocs;
    QHash<QString, qsizetype> m_sections; // case-folded section name -> its first bloc
    QHash<Adresse, qsizetype> m_cles;     // first key of a name -> its line in the bloc
    FinDeLigne m_finDeLigne = FinDeLigne::Lf;
    Encodage m_encodage = Encodage::Utf8;
    bool m_bom = false;
    Etat m_etat = Etat::Absent;
    QString m_raison;
};

} // namespace lanceron
