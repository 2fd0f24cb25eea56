#include "platform/shell_unix.h"

#include "platform/entrees_bureau.h"
#include "platform/fenetre_proprietes.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace lanceron {

using namespace Qt::StringLiterals;

ResultatLancement ShellUnix::lancer(const QString& programme, const QString& commande,
                                    Affichage affichage)
{
    // Linux has no general way to impose a window state on another program: the show command
    // is accepted and left to the program and the window manager.
    Q_UNUSED(affichage);
    const PlanLancement plan = planLancement(programme, commande);
    switch (plan.sorte) {
    case PlanLancement::Sorte::EntreeBureau:
        return lancerEntreeBureau(plan.programme, plan.arguments);
    case PlanLancement::Sorte::Executable:
        if (QProcess::startDetached(plan.programme, plan.arguments, plan.dossier))
            return {true, {}};
        return {false, u"le programme n'a pas pu être démarré"_s};
    case PlanLancement::Sorte::Document:
        if (QDesktopServices::openUrl(plan.document))
            return {true, {}};
        return {false, u"aucune application ne peut ouvrir ce fichier"_s};
    case PlanLancement::Sorte::Dossier:
        if (QDesktopServices::openUrl(plan.document))
            return {true, {}};
        return {false, u"le dossier n'a pas pu être ouvert"_s};
    case PlanLancement::Sorte::Refuse:
        break;
    }
    return {false, plan.erreur};
}

bool ShellUnix::ouvrirAdresse(const QString& adresse)
{
    return QDesktopServices::openUrl(QUrl(adresse));
}

void ShellUnix::proprietes(QWidget* parent, const QString& chemin)
{
    const auto montrerFenetre = [parent, chemin] {
        auto* fenetre = new FenetreProprietes(chemin, parent);
        fenetre->show();
    };
    const QDBusConnection bus = m_bus ? *m_bus : QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        montrerFenetre();
        return;
    }
    // The call is asynchronous, so the launcher never waits. The bus answers at once with an
    // error when no program owns the file manager's name and none can be activated for it;
    // that error, a failed call or no answer in time all give the program's own window.
    QDBusMessage appel = QDBusMessage::createMethodCall(
        u"org.freedesktop.FileManager1"_s, u"/org/freedesktop/FileManager1"_s,
        u"org.freedesktop.FileManager1"_s, u"ShowItemProperties"_s);
    appel << QStringList{QUrl::fromLocalFile(chemin).toString()} << QString();
    // The watcher belongs to the parent window: if that window goes first, nothing is shown.
    QObject* proprietaire = parent ? static_cast<QObject*>(parent) : QCoreApplication::instance();
    auto* attente =
        new QDBusPendingCallWatcher(bus.asyncCall(appel, DelaiGestionnaireMs), proprietaire);
    QObject::connect(attente, &QDBusPendingCallWatcher::finished, attente,
                     [attente, montrerFenetre] {
                         if (attente->isError())
                             montrerFenetre();
                         attente->deleteLater();
                     });
}

} // namespace lanceron
