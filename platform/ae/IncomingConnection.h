#pragma once

#include <QByteArray>
#include <QObject>

class QLocalSocket;

namespace ae
{

class AppleEventManager;

// One sender's connection to this process: reads its frames as they arrive,
// has the manager dispatch each event and writes the reply back when the
// sender waits for one. A frame that is not a well-formed event closes the
// connection. The object deletes itself once the connection is closed.
class IncomingConnection : public QObject
{
    Q_OBJECT

public:
    IncomingConnection(QLocalSocket* socket, AppleEventManager& manager, QObject* parent);

    void close();

private:
    void readFrames();
    void refuse(const QString& reason);

    QLocalSocket* socket_;
    AppleEventManager& manager_;
    QByteArray pending_; // the frame being read so far
};

} // namespace ae
