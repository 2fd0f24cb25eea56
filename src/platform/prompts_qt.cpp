#include "platform/prompts.h"

namespace lanceron {

QString FiltreFichier::texte() const
{
    const QString suffixe = QStringLiteral(" (") + motifs + QLatin1Char(')');
    return libelle.endsWith(suffixe) || libelle.endsWith(QLatin1Char('(') + motifs + QLatin1Char(')'))
               ? libelle
               : libelle + suffixe;
}

} // namespace lanceron
