#pragma once
// The desktop shell on Linux: programs through QProcess, documents and addresses through the
// desktop's default applications, properties through the file manager over D-Bus.

#include "platform/shell.h"

#include <QDBusConnection>

namespace lanceron {

class ShellUnix final : public Shell {
public:
    // `bus` is where the file manager is asked for a properties sheet (the session bus); a bus
    // that is not connected always gives the properties window of the program's own.
    explicit ShellUnix(const QDBusConnection& bus = QDBusConnection::sessionBus());

    ResultatLancement lancer(const QString& programme, const QString& commande,
                             Affichage affichage) override;
    bool ouvrirAdresse(const QString& adresse) override;
    void proprietes(QWidget* parent, const QString& chemin) override;

    // How long the file manager may take to answer before the program's own window is shown.
    static constexpr int DelaiGestionnaireMs = 2000;

private:
    QDBusConnection m_bus;
};

} // namespace lanceron
