#pragma once
// The desktop shell on Linux: desktop entries by the desktop's own rules, programs through
// QProcess, documents and addresses through the desktop's default applications, properties
// through the file manager over D-Bus.

#include "platform/shell.h"

#include <QDBusConnection>

#include <optional>

namespace lanceron {

class ShellUnix final : public Shell {
public:
    // Properties are asked of the file manager on the session bus, connected to when first
    // needed.
    ShellUnix() = default;
    // ... or on `bus`; a bus that is not connected always gives the program's own window.
    explicit ShellUnix(const QDBusConnection& bus) : m_bus(bus) {}

    ResultatLancement lancer(const QString& programme, const QString& commande,
                             Affichage affichage) override;
    bool ouvrirAdresse(const QString& adresse) override;
    void proprietes(QWidget* parent, const QString& chemin) override;

    // How long the file manager may take to answer before the program's own window is shown.
    static constexpr int DelaiGestionnaireMs = 2000;

private:
    std::optional<QDBusConnection> m_bus;
};

} // namespace lanceron
