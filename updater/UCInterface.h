#pragma once

#include "platform/agent/UpdateAgentInterface.h"

#include <QObject>

#include <memory>

// The bridge between the update controller and the update agent: requests
// are plain forwards to the agent; the agent's callbacks, which arrive on its
// own thread, are queued to the main thread and reach the controller there
// through pUpdateControl (callbacks still queued when the bridge goes are dropped).
class UCInterface : public CMUpdaterInterface
{
public:
    UCInterface();
    ~UCInterface() override;
    UCInterface(const UCInterface&) = delete;
    UCInterface& operator=(const UCInterface&) = delete;

    void RegisterSelf();
    void GetAgent();
    void SetFilePath(const char* path);
    void Init();
    void Update(_UpdateMode mode, const _CLIENT_INFO& info);
    void Download();
    void RefuseDownload();
    void StopDownload();

    void HaveNewVsersion() override;
    void SetNowDownloadStatus(_CheckVersionState state) override;
    void DownloadFinished(bool ok) override;
    void DownloadProcess(const char* text, int percent) override;

private:
    template <class Call> void toMainThread(Call call);

    UpdateAgentInterface* agent_ = nullptr;
    // Lives on the main thread; queued callbacks end with it.
    std::unique_ptr<QObject> mainThread_;
};
