#pragma once
// Reading of freedesktop.org desktop entry files (.desktop): the [Desktop Entry] group only.

#include <QHash>
#include <QString>

namespace lanceron {

class DesktopEntry {
public:
    // Reads the file; an unreadable or over-large file gives an invalid entry.
    static DesktopEntry charger(const QString& chemin);
    static DesktopEntry depuisTexte(const QString& texte);

    bool isValid() const { return m_valide; }
    // The value of `cle` in [Desktop Entry], escapes (\s \n \t \r \\) decoded; "" when missing.
    // Localised keys (Name[fr]) are distinct keys.
    QString valeur(const QString& cle) const { return m_valeurs.value(cle); }
    bool contient(const QString& cle) const { return m_valeurs.contains(cle); }

    static constexpr qint64 TailleMaximale = 1024 * 1024;

private:
    bool m_valide = false;
    QHash<QString, QString> m_valeurs;
};

} // namespace lanceron
