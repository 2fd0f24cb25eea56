#pragma once
// Private-profile (INI) files with the semantics existing catalogues were written with:
// case-insensitive names, blanks trimmed, one pair of quotes dropped, first section and
// first key of a name win, ';' comments, values returned whole. Writing changes one value
// in place and keeps every other byte; saving is atomic.
//
// Reading rules. Lines end at LF, CR LF or a lone CR; blanks (space, tab) at both ends of a
// line, a name or a value are ignored. A line whose first character is '[' and that holds a
// ']' opens a section named by the text up to its last ']' (a '[' line without ']' is
// ignored); a line starting with ';' is a comment; any other non-empty line is a key: its
// name is the text before the first '=', its value the text after it ("a;b" is the value
// a;b), and a line without '=' is a key with an empty value. A value wrapped in one pair of
// matching quotes (double or single) loses them. Only the first section of a name is read, and
// in it the first key of a name; keys before the first section belong to none. A NUL ends the
// line it stands in (the rest of the line is not read); a Ctrl-Z (0x1A) at the very end of the
// file is dropped. A missing file, section or key reads as "".
//
// Writing rules: a save never changes what the next read returns. A value is one line: each
// line break in it (CR LF, CR or LF) is written as one blank and each NUL, which would end it,
// is dropped; a lone surrogate is written as U+FFFD, except in a UTF-16 file, which holds it.
// Other control characters are kept: a line holds them. lire() returns what was written after
// these changes, before and after a save alike. A value that starts or ends with a blank, or
// starts and ends with the same quote character, is written between double quotes, so that it
// reads back exactly. Section and key names are the program's own: one line each; a key name
// holds no '=' and does not start with '[' or ';'.
//
// Encoding. A UTF-16LE byte-order mark means UTF-16LE (Windows' Unicode INI files); else bytes
// that are valid UTF-8 (after an optional UTF-8 byte-order mark) are UTF-8, anything else is
// Windows-1252. A file keeps its encoding, byte-order mark and line ends. A Windows-1252 file
// is written wholly in UTF-8 when it must hold a character outside that code page, or when its
// Windows-1252 bytes would happen to be valid UTF-8 holding non-ASCII bytes (they would read
// back as other characters). A new document is UTF-8 with LF line ends.
//
// Cost. The file's text is kept once, in one buffer; sections are indexed, keys are found by
// scanning their section. Reading a file and every value of it costs time and memory in
// proportion to its size.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <initializer_list>
#include <span>

namespace lanceron {

class ProfilPrive {
public:
    enum class Encodage { Utf8, Windows1252, Utf16Le };

    // State of the file as it was loaded.
    enum class Etat {
        Absent,      // no such file: reads as empty, the first write creates it
        Lu,          // read and parsed
        Inutilisable // not a regular file, unreadable, too large or not text (a picture, a
                     // program): reads as empty, never saved over
    };

    ProfilPrive();

    // Reads and parses the file once. Never throws; see Etat.
    static ProfilPrive charger(const QString& chemin);
    // Parses bytes as they would be read from a file (encoding detected, line ends kept).
    static ProfilPrive depuisOctets(QByteArray octets);
    // What a pass over a document's lines meets, in file order: a section header (its name) or
    // a key line (its name and its value as lire() returns it). Views into the line: valid
    // during the call only.
    struct Element {
        bool section = false;
        QStringView nom;
        QStringView valeur;
    };
    // Reads bytes line by line exactly as depuisOctets() does, without keeping their text, so
    // that a large file costs only what the caller keeps of it. Lu, or Inutilisable with the
    // reason in `raison` (then `f` is never called); `lignes` receives nombreDeLignes().
    static Etat parcourir(QByteArray octets, const std::function<void(const Element&)>& f,
                          QString* raison, qsizetype* lignes);
    // Whether two names are the same for lookups (lire() and the sections of a pass).
    static bool memeNom(QStringView a, QStringView b);

    // An empty document that keeps the model's encoding, byte-order mark, line ends and
    // state: for rewriting a file whole. The copy of an Inutilisable file still refuses to be
    // saved.
    static ProfilPrive vierge(const ProfilPrive& modele);

    Etat etat() const { return m_etat; }
    // The encoding octets() writes in: the file's own, or UTF-8 once a character outside
    // Windows-1252 has been written into a Windows-1252 file.
    Encodage encodage() const;
    // The reason when etat() is Inutilisable, in French.
    QString raison() const { return m_raison; }

    // The value of `cle` in the first section named `section`; "" when missing.
    QString lire(QStringView section, QStringView cle) const;
    // The values of several keys of one section, in the order of `cles`, read in one pass;
    // each is what lire() gives for it.
    QStringList lire(QStringView section, std::initializer_list<QStringView> cles) const;
    // Names of all sections in file order (duplicates included), as written.
    QStringList sections() const;
    qsizetype nombreDeSections() const { return m_blocs.size() - 1; }
    QString section(qsizetype i) const; // i from 0
    // Number of lines of the file as read.
    qsizetype nombreDeLignes() const { return m_lignes; }

    // Sets the value in place: only the value's text changes, the name and every other byte
    // stay. A missing key is added after the last key line of its section, a missing section
    // at the end of the file, each as a new `key=value` or `[section]` line.
    void ecrire(const QString& section, const QString& cle, const QString& valeur);

    // The file's bytes: original encoding and line ends, or UTF-8 and LF for a new file.
    // A Windows-1252 file that must hold a character outside that code page becomes UTF-8.
    QByteArray octets() const;

    // Atomic save (temporary file then rename). Refuses an Inutilisable file. On failure
    // returns false with the reason in `erreur`, in French; the file on disk is unchanged.
    bool enregistrer(const QString& chemin, QString* erreur = nullptr) const;

    // Largest file read; larger files are Inutilisable.
    static constexpr qint64 TailleMaximale = 16 * 1024 * 1024;

private:
    enum class FinDeLigne : quint8 { Aucune, Lf, CrLf, Cr };

    // A run of whole lines of m_texte (the file's last line may lack its line end).
    struct Morceau {
        qsizetype debut;
        qsizetype taille;
    };

    // A section: its header line, then every line up to the next header. Bloc 0 holds the
    // lines before the first header. A bloc is one run of the file's text until a write
    // changes it; it then becomes a list of runs (m_morceaux[morceaux]).
    struct Bloc {
        Morceau texte{0, 0};
        qsizetype morceaux = -1;
    };

    // A line found in a bloc.
    struct Position {
        qsizetype morceau = -1; // index in the bloc's runs
        qsizetype debut = 0;    // in m_texte
        qsizetype taille = 0;   // without the line end
        qsizetype fin = 0;      // length of the line end (0: none)
    };

    static ProfilPrive inutilisable(const QString& raison);
    void analyser();
    void indexerSection(qsizetype bloc, QStringView nom);
    qsizetype trouverSection(QStringView section) const;
    QStringView enTete(const Bloc& b) const;
    std::span<const Morceau> morceaux(const Bloc& b) const;
    QList<Morceau>& modifiable(qsizetype bloc);
    // The first key line of that name, and the line after which a new key goes (the last key
    // line, else the header).
    Position trouverCle(qsizetype bloc, QStringView cle, Position* derniere) const;
    void remplacer(qsizetype bloc, const Position& ligne, QStringView texte, bool apres);
    qsizetype bloc(const QString& section);
    Morceau ajouterTexte(QStringView texte);
    QStringView finDeLigne() const;
    void terminer();
    QString texteEntier() const;
    QByteArray encoder(const QString& texte, Encodage* effectif) const;
    void admettre(QStringView texte);

    QString m_texte; // the file's text, then the text of the lines written
    QList<Bloc> m_blocs;
    QList<QList<Morceau>> m_morceaux;
    QMultiHash<size_t, qsizetype> m_sections; // hash of the folded name -> first bloc
    qsizetype m_lignes = 0;
    FinDeLigne m_finDeLigne = FinDeLigne::Lf;
    Encodage m_encodage = Encodage::Utf8;
    bool m_bom = false;
    Etat m_etat = Etat::Absent;
    QString m_raison;
};

} // namespace lanceron
