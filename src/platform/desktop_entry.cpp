#include "platform/desktop_entry.h"

#include <QFile>
#include <QStringView>

namespace lanceron {

namespace {

QString decoderEchappements(QStringView v)
{
    QString r;
    r.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c != QLatin1Char('\\') || i + 1 == v.size()) {
            r.append(c);
            continue;
        }
        const QChar n = v[++i];
        switch (n.unicode()) {
        case 's': r.append(QLatin1Char(' ')); break;
        case 'n': r.append(QLatin1Char('\n')); break;
        case 't': r.append(QLatin1Char('\t')); break;
        case 'r': r.append(QLatin1Char('\r')); break;
        case '\\': r.append(QLatin1Char('\\')); break;
        default:
            // Unknown escapes are kept as written (the Exec line has its own quoting rules).
            r.append(QLatin1Char('\\'));
            r.append(n);
        }
    }
    return r;
}

} // namespace

DesktopEntry DesktopEntry::charger(const QString& chemin)
{
    QFile f(chemin);
    if (f.size() > TailleMaximale || !f.open(QIODevice::ReadOnly))
        return {};
    return depuisTexte(QString::fromUtf8(f.read(TailleMaximale)));
}

DesktopEntry DesktopEntry::depuisTexte(const QString& texte)
{
    DesktopEntry e;
    bool dansGroupe = false;
    const auto lignes = QStringView(texte).split(QLatin1Char('\n'));
    for (QStringView ligne : lignes) {
        ligne = ligne.trimmed();
        if (ligne.isEmpty() || ligne.startsWith(QLatin1Char('#')))
            continue;
        if (ligne.startsWith(QLatin1Char('['))) {
            dansGroupe = ligne == QLatin1String("[Desktop Entry]");
            if (dansGroupe)
                e.m_valide = true;
            continue;
        }
        if (!dansGroupe)
            continue;
        const qsizetype egal = ligne.indexOf(QLatin1Char('='));
        if (egal <= 0)
            continue;
        const QString cle = ligne.left(egal).trimmed().toString();
        if (!e.m_valeurs.contains(cle))
            e.m_valeurs.insert(cle, decoderEchappements(ligne.mid(egal + 1).trimmed()));
    }
    return e;
}

} // namespace lanceron
