// Desktop entries: the GIO module loaded at the first need, its functions called through.

#include "platform/entrees_bureau.h"

#include "platform/module_bureau.h"

#include <QtGlobal>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace lanceron {

using namespace Qt::StringLiterals;

namespace {

struct Liberer {
    void operator()(void* p) const { std::free(p); }
};

// The module's full path: the first of the program's library folders (its RUNPATH first) that
// holds it. The search is the dynamic loader's own, asked of the program itself, so that it
// does not depend on who calls dlopen (a sanitizer's interceptor has no RUNPATH); a relative
// folder (an empty entry is one) is never searched.
QByteArray cheminModule()
{
    void* programme = ::dlopen(nullptr, RTLD_LAZY);
    Dl_serinfo taille{};
    if (!programme || ::dlinfo(programme, RTLD_DI_SERINFOSIZE, &taille) != 0)
        return {};
    const std::unique_ptr<void, Liberer> memoire(std::malloc(taille.dls_size));
    auto* info = static_cast<Dl_serinfo*>(memoire.get());
    if (!info)
        return {};
    *info = taille;
    if (::dlinfo(programme, RTLD_DI_SERINFO, info) != 0)
        return {};
    for (unsigned i = 0; i < info->dls_cnt; ++i) {
        const QByteArray dossier(info->dls_serpath[i].dls_name);
        const QByteArray chemin = dossier + '/' + FichierModuleBureau;
        if (dossier.startsWith('/') && ::access(chemin.constData(), R_OK) == 0)
            return chemin;
    }
    return {};
}

// The module's functions, or null when it cannot be loaded (a message says why, once).
// Loaded once for the life of the program, from whichever thread asks first.
const FonctionsBureau* module()
{
    static const FonctionsBureau* const fonctions = []() -> const FonctionsBureau* {
        const QByteArray chemin = cheminModule();
        if (chemin.isEmpty()) {
            qWarning("Entrées de bureau indisponibles : %s introuvable", FichierModuleBureau);
            return nullptr;
        }
        void* bibliotheque = ::dlopen(chemin.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!bibliotheque) {
            qWarning("Entrées de bureau indisponibles : %s", ::dlerror());
            return nullptr;
        }
        using Donner = const FonctionsBureau* (*)();
        const auto donner =
            reinterpret_cast<Donner>(::dlsym(bibliotheque, FonctionModuleBureau));
        if (!donner) {
            qWarning("Entrées de bureau indisponibles : %s", ::dlerror());
            return nullptr;
        }
        return donner();
    }();
    return fonctions;
}

} // namespace

std::optional<EntreeBureau> lireEntreeBureau(const QString& chemin)
{
    if (planLancement(chemin, {}).sorte != PlanLancement::Sorte::EntreeBureau)
        return std::nullopt;
    const FonctionsBureau* f = module();
    return f ? f->lire(chemin) : std::nullopt;
}

QList<EntreeBureau> applicationsInstallees()
{
    const FonctionsBureau* f = module();
    return f ? f->applications() : QList<EntreeBureau>();
}

ResultatLancement lancerEntreeBureau(const QString& chemin, const QStringList& arguments)
{
    const FonctionsBureau* f = module();
    if (!f)
        return {false, u"les entrées de bureau ne peuvent pas être lues sur ce système"_s};
    return f->lancer(chemin, arguments);
}

} // namespace lanceron
