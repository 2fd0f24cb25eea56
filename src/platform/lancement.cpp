#include "platform/lancement.h"

#include "platform/desktop_entry.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace lanceron {

using namespace Qt::StringLiterals;

Affichage affichagePour(const QString& executer)
{
    if (executer.startsWith(u'F'))
        return Affichage::Normale;
    if (executer.startsWith(u'R'))
        return Affichage::Reduite;
    if (executer.startsWith(u'A'))
        return Affichage::Agrandie;
    return Affichage::Cachee;
}

namespace {

// One piece of an Exec argument: literal text, or a field code (its letter) to fill in.
struct Morceau {
    QString texte;
    char16_t code = 0;
};
using Mot = QList<Morceau>;

// Splits an Exec line into arguments (quoting rules applied, field codes kept apart);
// nullopt when a double quote is left open.
std::optional<QList<Mot>> decouperExec(QStringView exec)
{
    QList<Mot> mots;
    Mot mot;
    bool dansMot = false;
    bool entreGuillemets = false;
    const auto ajouterTexte = [&mot](QChar c) {
        if (mot.isEmpty() || mot.last().code != 0)
            mot.append(Morceau{});
        mot.last().texte.append(c);
    };
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        const QChar suivant = i + 1 < exec.size() ? exec[i + 1] : QChar();
        if (entreGuillemets) {
            if (c == u'"') {
                entreGuillemets = false;
            } else if (c == u'\\' && QStringView(u"\"`$\\").contains(suivant)) {
                ajouterTexte(suivant);
                ++i;
            } else if (c == u'%' && suivant == u'%') {
                ajouterTexte(c);
                ++i;
            } else {
                ajouterTexte(c);
            }
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (dansMot)
                mots.append(mot);
            mot.clear();
            dansMot = false;
            continue;
        }
        dansMot = true;
        if (c == u'"') {
            entreGuillemets = true;
        } else if (c == u'%' && suivant == u'%') {
            ajouterTexte(c);
            ++i;
        } else if (c == u'%' && suivant.isLetter()) {
            mot.append(Morceau{{}, suivant.unicode()});
            ++i;
        } else {
            ajouterTexte(c);
        }
    }
    if (entreGuillemets)
        return std::nullopt;
    if (dansMot)
        mots.append(mot);
    return mots;
}

bool estCodeFichier(char16_t code)
{
    return code == u'f' || code == u'F' || code == u'u' || code == u'U';
}

struct ContexteExec {
    const DesktopEntry& entree;
    const QString& cheminEntree;
    const QStringList& fichiers;
};

// The arguments that a field code standing alone as an argument gives.
QStringList valeursSeules(char16_t code, const ContexteExec& ctx)
{
    const QString icone = ctx.entree.valeur(u"Icon"_s);
    const QString nom = ctx.entree.valeur(u"Name"_s);
    switch (code) {
    case u'f':
    case u'u':
        return ctx.fichiers.mid(0, 1);
    case u'F':
    case u'U':
        return ctx.fichiers;
    case u'i':
        return icone.isEmpty() ? QStringList() : QStringList{u"--icon"_s, icone};
    case u'c':
        return nom.isEmpty() ? QStringList() : QStringList{nom};
    case u'k':
        return {ctx.cheminEntree};
    default: // deprecated or unknown
        return {};
    }
}

// The text that a field code gives inside a longer argument ("--file=%f").
QString valeurDansMot(char16_t code, const ContexteExec& ctx)
{
    switch (code) {
    case u'f':
    case u'u':
    case u'F':
    case u'U':
        return ctx.fichiers.value(0);
    case u'i':
        return ctx.entree.valeur(u"Icon"_s);
    case u'c':
        return ctx.entree.valeur(u"Name"_s);
    case u'k':
        return ctx.cheminEntree;
    default: // deprecated or unknown
        return {};
    }
}

} // namespace

std::optional<QStringList> developperExec(const DesktopEntry& entree, const QString& cheminEntree,
                                          const QStringList& fichiers)
{
    const auto mots = decouperExec(entree.valeur(u"Exec"_s));
    if (!mots)
        return std::nullopt;
    const ContexteExec ctx{entree, cheminEntree, fichiers};
    QStringList resultat;
    bool codeFichier = false;
    for (const Mot& mot : *mots) {
        if (mot.size() == 1 && mot.first().code != 0) {
            codeFichier = codeFichier || estCodeFichier(mot.first().code);
            resultat += valeursSeules(mot.first().code, ctx);
            continue;
        }
        QString argument;
        for (const Morceau& morceau : mot) {
            codeFichier = codeFichier || estCodeFichier(morceau.code);
            argument += morceau.code != 0 ? valeurDansMot(morceau.code, ctx) : morceau.texte;
        }
        resultat.append(argument);
    }
    if (!codeFichier)
        resultat += fichiers;
    if (resultat.isEmpty() || resultat.first().isEmpty())
        return std::nullopt;
    return resultat;
}

namespace {

PlanLancement planEntreeBureau(const QString& chemin, const DesktopEntry& entree,
                               const QStringList& arguments, const QString& terminal)
{
    PlanLancement plan;
    const auto ligne = developperExec(entree, chemin, arguments);
    if (!ligne) {
        plan.erreur = u"ligne Exec invalide"_s;
        return plan;
    }
    plan.sorte = PlanLancement::Sorte::EntreeBureau;
    const QString dossier = entree.valeur(u"Path"_s);
    plan.dossier = dossier.isEmpty() ? QDir::homePath() : dossier;
    if (entree.valeur(u"Terminal"_s) == u"true" && !terminal.isEmpty()) {
        plan.programme = terminal;
        plan.arguments = QStringList{u"-e"_s} + *ligne;
    } else {
        plan.programme = ligne->first();
        plan.arguments = ligne->mid(1);
    }
    return plan;
}

} // namespace

PlanLancement planLancement(const QString& programme, const QString& commande,
                            const QString& terminal)
{
    PlanLancement plan;
    const QFileInfo fichier(programme);
    if (!fichier.exists()) {
        plan.erreur = u"fichier introuvable"_s;
        return plan;
    }
    const QString chemin = fichier.absoluteFilePath();
    plan.dossier = fichier.absolutePath();
    plan.document = QUrl::fromLocalFile(chemin);
    if (fichier.isDir()) {
        plan.sorte = PlanLancement::Sorte::Dossier;
        return plan;
    }
    if (!fichier.isReadable() && !fichier.isExecutable()) {
        plan.erreur = u"accès refusé"_s;
        return plan;
    }
    const QStringList arguments = QProcess::splitCommand(commande);
    if (fichier.suffix().compare(u"desktop"_s, Qt::CaseInsensitive) == 0) {
        const DesktopEntry entree = DesktopEntry::charger(chemin);
        if (entree.isValid() && entree.valeur(u"Type"_s) == u"Application")
            return planEntreeBureau(chemin, entree, arguments, terminal);
    }
    if (fichier.isExecutable()) {
        plan.sorte = PlanLancement::Sorte::Executable;
        plan.programme = chemin;
        plan.arguments = arguments;
        return plan;
    }
    plan.sorte = PlanLancement::Sorte::Document;
    return plan;
}

} // namespace lanceron
