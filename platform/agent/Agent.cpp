#include "platform/agent/Agent.h"

#include "platform/agent/AgentLog.h"
#include "platform/agent/AgentWorker.h"

#include <QMetaObject>

#include <atomic>
#include <mutex>

namespace agent
{

Q_LOGGING_CATEGORY(lcAgent, "trelvan.agent")

namespace
{

std::atomic<CMUpdaterInterface*> gCallbacks{nullptr};
std::mutex gAgentMutex;
Agent* gAgent = nullptr;

} // namespace

CMUpdaterInterface* registeredCallbacks()
{
    return gCallbacks.load();
}

Agent::Agent() : worker_(new AgentWorker)
{
    thread_.setObjectName(QStringLiteral("UpdateAgent"));
    worker_->moveToThread(&thread_);
    thread_.start();
}

Agent::~Agent()
{
    // The worker and its network objects go on their own thread, then the thread ends.
    AgentWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

template <class Work> void Agent::post(Work work)
{
    QMetaObject::invokeMethod(worker_, std::move(work), Qt::QueuedConnection);
}

void Agent::SetFilePath(const char* path)
{
    const QString file = path ? QString::fromUtf8(path) : QString();
    post([worker = worker_, file] { worker->setFilePath(file); });
}

void Agent::Init()
{
    post([worker = worker_] { worker->init(); });
}

void Agent::Update(_UpdateMode mode, _CLIENT_INFO info)
{
    post([worker = worker_, mode, info] { worker->update(mode, info); });
}

void Agent::Download()
{
    post([worker = worker_] { worker->download(); });
}

void Agent::RefuseDownload()
{
    post([worker = worker_] { worker->refuseDownload(); });
}

void Agent::StopDownload()
{
    post([worker = worker_] { worker->stopDownload(); });
}

} // namespace agent

UpdateAgentInterface* GetUpdateAgentInterface()
{
    std::lock_guard lock(agent::gAgentMutex);
    if (!agent::gAgent)
        agent::gAgent = new agent::Agent;
    return agent::gAgent;
}

void RegisterCMUpdaterInterface(CMUpdaterInterface* callbacks)
{
    agent::gCallbacks.store(callbacks);
}

void UnInit()
{
    std::lock_guard lock(agent::gAgentMutex);
    delete agent::gAgent;
    agent::gAgent = nullptr;
    agent::gCallbacks.store(nullptr);
}
