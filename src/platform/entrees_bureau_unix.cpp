// Desktop entries through GIO, the library that the desktops themselves use to read and start
// them: the module that the program loads for them (module_bureau.h). Every GLib object is
// held by an owner below and released with it.

#include "platform/module_bureau.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

// GLib names a member "signals", a word that Qt makes a keyword.
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace lanceron {

using namespace Qt::StringLiterals;

namespace {

struct LibererObjet {
    void operator()(gpointer objet) const { g_object_unref(objet); }
};
template <typename T> using Objet = std::unique_ptr<T, LibererObjet>;

struct LibererTexte {
    void operator()(gchar* texte) const { g_free(texte); }
};
using Texte = std::unique_ptr<gchar, LibererTexte>;

struct LibererTableau {
    void operator()(const gchar** textes) const { g_free(textes); }
};

struct LibererTextes {
    void operator()(gchar** textes) const { g_strfreev(textes); }
};
using Textes = std::unique_ptr<gchar*, LibererTextes>;

struct LibererCles {
    void operator()(GKeyFile* cles) const { g_key_file_unref(cles); }
};

struct LibererVariant {
    void operator()(GVariant* v) const { g_variant_unref(v); }
};
using Variant = std::unique_ptr<GVariant, LibererVariant>;

struct LibererErreur {
    void operator()(GError* e) const { g_error_free(e); }
};
using Erreur = std::unique_ptr<GError, LibererErreur>;

// A list of texts in GLib's own form, for the time of one call.
class ListeTextes {
public:
    explicit ListeTextes(const QStringList& textes)
    {
        for (const QString& t : textes)
            m_liste = g_list_append(m_liste, g_strdup(t.toUtf8().constData()));
    }
    ~ListeTextes() { g_list_free_full(m_liste, g_free); }
    ListeTextes(const ListeTextes&) = delete;
    ListeTextes& operator=(const ListeTextes&) = delete;
    GList* get() const { return m_liste; }

private:
    GList* m_liste = nullptr;
};

QString depuisUtf8(const char* texte)
{
    return texte ? QString::fromUtf8(texte) : QString();
}

QString texteDe(Texte texte)
{
    return depuisUtf8(texte.get());
}

constexpr const char* Groupe = G_KEY_FILE_DESKTOP_GROUP;

Objet<GDesktopAppInfo> ouvrir(const QString& chemin)
{
    return Objet<GDesktopAppInfo>(
        g_desktop_app_info_new_from_filename(QFile::encodeName(chemin).constData()));
}

EntreeBureau decrire(GDesktopAppInfo* info)
{
    EntreeBureau e;
    e.nom = texteDe(Texte(g_desktop_app_info_get_locale_string(info, "Name")));
    e.icone = texteDe(Texte(g_desktop_app_info_get_locale_string(info, "Icon")));
    e.categories =
        depuisUtf8(g_desktop_app_info_get_categories(info)).split(u';', Qt::SkipEmptyParts);
    e.cachee = g_desktop_app_info_get_is_hidden(info) || !g_app_info_should_show(G_APP_INFO(info));
    e.chemin = QFile::decodeName(g_desktop_app_info_get_filename(info));
    return e;
}

bool programmeInstalle(const char* programme)
{
    return Texte(g_find_program_in_path(programme)) != nullptr;
}

// Why GIO refused the entry at `chemin`, in French, from the keys it looked at.
QString raisonRefus(const QString& chemin)
{
    const std::unique_ptr<GKeyFile, LibererCles> cles(g_key_file_new());
    if (!g_key_file_load_from_file(cles.get(), QFile::encodeName(chemin).constData(),
                                   G_KEY_FILE_NONE, nullptr))
        return u"entrée de bureau illisible"_s;
    const Texte type(g_key_file_get_string(cles.get(), Groupe, "Type", nullptr));
    if (!type || qstrcmp(type.get(), "Application") != 0)
        return u"ce n'est pas une application"_s;
    const Texte essai(g_key_file_get_string(cles.get(), Groupe, "TryExec", nullptr));
    if (essai && *essai && !programmeInstalle(essai.get()))
        return u"programme introuvable : %1"_s.arg(depuisUtf8(essai.get()));
    const Texte exec(g_key_file_get_string(cles.get(), Groupe, "Exec", nullptr));
    gchar** mots = nullptr;
    if (!exec || !g_shell_parse_argv(exec.get(), nullptr, &mots, nullptr))
        return u"ligne Exec invalide"_s;
    const Textes arguments(mots);
    if (!programmeInstalle(arguments.get()[0]))
        return u"programme introuvable : %1"_s.arg(depuisUtf8(arguments.get()[0]));
    return u"entrée de bureau invalide"_s;
}

// An address that the application receives as it is ("https://...", "file:///..."); a
// one-letter scheme is a Windows drive ("C:\..."), a file name.
bool estAdresse(const QString& argument)
{
    static const QRegularExpression schema(u"^[A-Za-z][A-Za-z0-9+.-]+:"_s);
    return schema.match(argument).hasMatch();
}

// Whether the application that `nom` names on the session bus can be asked: it runs, or the
// bus can start it. A bus that does not answer leaves the question to the launch itself.
bool serviceJoignable(GDBusConnection* bus, const char* nom)
{
    constexpr int DelaiMs = 1000;
    const auto demander = [&](const char* methode, GVariant* parametres, const char* type) {
        return Variant(g_dbus_connection_call_sync(
            bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", methode,
            parametres, G_VARIANT_TYPE(type), G_DBUS_CALL_FLAGS_NONE, DelaiMs, nullptr, nullptr));
    };
    const Variant proprietaire = demander("NameHasOwner", g_variant_new("(s)", nom), "(b)");
    if (!proprietaire)
        return true;
    gboolean present = FALSE;
    g_variant_get(proprietaire.get(), "(b)", &present);
    if (present)
        return true;
    const Variant activables = demander("ListActivatableNames", nullptr, "(as)");
    if (!activables)
        return true;
    const Variant noms(g_variant_get_child_value(activables.get(), 0));
    gsize n = 0;
    const std::unique_ptr<const gchar*, LibererTableau> liste(g_variant_get_strv(noms.get(), &n));
    return std::any_of(liste.get(), liste.get() + n,
                       [nom](const gchar* autre) { return qstrcmp(autre, nom) == 0; });
}

// An application started over D-Bus: the error that keeps it from being reached, if any.
std::optional<QString> verifierActivation(GDesktopAppInfo* info, const QString& chemin)
{
    if (!g_desktop_app_info_get_boolean(info, "DBusActivatable"))
        return std::nullopt;
    // GIO asks the bus only for a name ending exactly in ".desktop".
    QString nom = QFileInfo(chemin).fileName();
    if (!nom.endsWith(u".desktop"_s))
        return std::nullopt;
    nom.chop(qstrlen(".desktop"));
    const QByteArray nomBus = nom.toUtf8();
    if (!g_dbus_is_interface_name(nomBus.constData()))
        return std::nullopt; // GIO starts it from its Exec line
    const Objet<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!bus || serviceJoignable(bus.get(), nomBus.constData()))
        return std::nullopt;
    return u"le service D-Bus « %1 » est introuvable"_s.arg(nom);
}

// Runs in the started program's process, before the program: its working folder.
void allerDans(gpointer dossier)
{
    if (::chdir(static_cast<const char*>(dossier)) != 0) {
        // The program stays in the launcher's folder.
    }
}

std::optional<EntreeBureau> lire(const QString& chemin)
{
    const Objet<GDesktopAppInfo> info = ouvrir(chemin);
    if (!info)
        return std::nullopt;
    return decrire(info.get());
}

QList<EntreeBureau> applications()
{
    QList<EntreeBureau> entrees;
    GList* toutes = g_app_info_get_all();
    for (GList* i = toutes; i; i = i->next) {
        auto* info = static_cast<GAppInfo*>(i->data);
        if (G_IS_DESKTOP_APP_INFO(info) && g_app_info_should_show(info))
            entrees.append(decrire(G_DESKTOP_APP_INFO(info)));
    }
    g_list_free_full(toutes, g_object_unref);
    QCollator ordre;
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entrees.begin(), entrees.end(),
                     [&ordre](const EntreeBureau& a, const EntreeBureau& b) {
                         return ordre.compare(a.nom, b.nom) < 0;
                     });
    return entrees;
}

ResultatLancement lancer(const QString& chemin, const QStringList& arguments)
{
    const Objet<GDesktopAppInfo> info = ouvrir(chemin);
    if (!info)
        return {false, raisonRefus(chemin)};
    if (const auto erreur = verifierActivation(info.get(), chemin))
        return {false, *erreur};
    const QString path = texteDe(Texte(g_desktop_app_info_get_string(info.get(), "Path")));
    const QDir dossier(path.isEmpty() ? QDir::homePath() : path);
    QStringList uris;
    for (const QString& argument : arguments)
        uris.append(estAdresse(argument)
                        ? argument
                        : QString::fromLatin1(
                              QUrl::fromLocalFile(dossier.absoluteFilePath(argument)).toEncoded()));
    const ListeTextes liste(uris);
    // GIO starts the program in the entry's Path=; without one, in the home folder.
    QByteArray maison = QFile::encodeName(QDir::homePath());
    GError* brute = nullptr;
    const bool ok = g_desktop_app_info_launch_uris_as_manager(
        info.get(), liste.get(), nullptr, G_SPAWN_SEARCH_PATH, path.isEmpty() ? allerDans : nullptr,
        path.isEmpty() ? maison.data() : nullptr, nullptr, nullptr, &brute);
    const Erreur erreur(brute);
    if (!ok)
        return {false, u"le programme n'a pas pu être démarré"_s};
    return {true, {}};
}

} // namespace

} // namespace lanceron

extern "C" __attribute__((visibility("default"))) const lanceron::FonctionsBureau*
lanceron_fonctions_bureau()
{
    static constexpr lanceron::FonctionsBureau fonctions{lanceron::lire, lanceron::applications,
                                                         lanceron::lancer};
    return &fonctions;
}
