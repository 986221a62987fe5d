#pragma once

#include "platform/agent/UpdateAgentInterface.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace agent
{

// The question to the update server: ServiceURL + "/check" with the eight
// client fields and the mode as query items ("OS", "DEVICE_TYPE" ...,
// "MODE"). An invalid URL when the service address gives none.
QUrl checkUrl(const QString& serviceURL, const _CLIENT_INFO& info, int mode);

// One check: a GET whose answer, at most kMaxCheckAnswerBytes long and
// complete within 30 seconds, is handed over as it is; any failure (no
// server, an error status, a cut or oversized answer, the time-out) as its
// reason. The callback runs once, unless the check is destroyed first.
class UpdateCheck
{
public:
    using Done = std::function<void(const std::optional<QByteArray>& answer, const QString& error)>;

    UpdateCheck(QNetworkAccessManager& network, const QUrl& url, Done done);
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

private:
    void readAnswer();
    void fail(const QString& reason);
    void finished();

    Done done_;
    QPointer<QNetworkReply> reply_;
    QByteArray answer_;
    QString failure_;
    QTimer deadline_;
};

} // namespace agent
