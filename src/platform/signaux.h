#pragma once

#include <QObject>

namespace lanceron {

// Turns SIGTERM, SIGINT and SIGHUP into the Qt signal `arret`, delivered on the event loop,
// so that the main window closes through its normal shutdown.
class Signaux : public QObject {
    Q_OBJECT
public:
    explicit Signaux(QObject* parent = nullptr);
    ~Signaux() override;

signals:
    void arret();
};

} // namespace lanceron
