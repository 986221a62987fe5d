#pragma once

#include "platform/agent/AgentSettings.h"
#include "platform/agent/PackageDownload.h"
#include "platform/agent/UpdateAgentInterface.h"
#include "platform/agent/UpdateCheck.h"
#include "platform/agent/UserSelection.h"

#include <QObject>

#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace agent
{

// The agent's work, on the agent's thread: one check at a time, and one
// download of the chosen packages, file after file, each from the servers in
// turn until one delivers it. Progress and results go to the registered
// callbacks from this thread.
class AgentWorker : public QObject
{
public:
    AgentWorker();
    ~AgentWorker() override;

    void setFilePath(const QString& path);
    void init();
    void update(int mode, const _CLIENT_INFO& info);
    void download();
    void refuseDownload();
    void stopDownload();

private:
    QNetworkAccessManager& network();
    QString downloadFolder() const;
    void checkFinished(const std::optional<QByteArray>& answer, const QString& error);
    void downloadCurrentPackage();
    void packageDone(PackageDownload::Result result, const QString& reason);
    void reportProgress(qint64 currentPackageBytes);
    void endDownload(bool ok);
    void setState(_CheckVersionState state);
    // Deletes a transfer once control is back in the event loop.
    template <class T> void retire(std::unique_ptr<T> finished);

    QString settingsPath_;
    AgentSettings settings_;
    std::unique_ptr<QNetworkAccessManager> network_;
    std::unique_ptr<UpdateCheck> check_;

    // The download under way.
    std::optional<UserSelection> selection_;
    int fileIndex_ = 0;
    int serverIndex_ = 0;
    qint64 totalBytes_ = 0;
    qint64 doneBytes_ = 0; // of the packages already in place
    int lastPercent_ = -1;
    QString lastLine_;
    std::unique_ptr<PackageDownload> package_;
};

} // namespace agent
