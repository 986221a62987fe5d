#pragma once

#include "platform/agent/UpdateAgentInterface.h"

#include <QThread>

namespace agent
{

class AgentWorker;

// The one agent object: each call is handed to the worker on the agent's
// thread, which the agent starts and, when it goes, stops.
class Agent final : public UpdateAgentInterface
{
public:
    Agent();
    ~Agent() override;

    void SetFilePath(const char* path) override;
    void Init() override;
    void Update(_UpdateMode mode, _CLIENT_INFO info) override;
    void Download() override;
    void RefuseDownload() override;
    void StopDownload() override;

private:
    template <class Work> void post(Work work);

    QThread thread_;
    AgentWorker* worker_;
};

// The callbacks the client registered, or null.
CMUpdaterInterface* registeredCallbacks();

} // namespace agent
