#include "updater/UCInterface.h"

#include "updater/UpdateControl.h"

UCInterface::UCInterface() : mainThread_(std::make_unique<QObject>())
{
    GetAgent();
}

UCInterface::~UCInterface()
{
    // The agent's thread ends here, so no callback comes after.
    UnInit();
}

void UCInterface::RegisterSelf()
{
    RegisterCMUpdaterInterface(this);
}

void UCInterface::GetAgent()
{
    agent_ = GetUpdateAgentInterface();
}

void UCInterface::SetFilePath(const char* path)
{
    agent_->SetFilePath(path);
}

void UCInterface::Init()
{
    agent_->Init();
}

void UCInterface::Update(_UpdateMode mode, const _CLIENT_INFO& info)
{
    const _CLIENT_INFO copy = info;
    agent_->Update(mode, copy);
}

void UCInterface::Download()
{
    agent_->Download();
}

void UCInterface::RefuseDownload()
{
    agent_->RefuseDownload();
}

void UCInterface::StopDownload()
{
    agent_->StopDownload();
}

template <class Call> void UCInterface::toMainThread(Call call)
{
    QMetaObject::invokeMethod(
        mainThread_.get(),
        [call] {
            if (pUpdateControl)
                call(*pUpdateControl);
        },
        Qt::QueuedConnection);
}

void UCInterface::HaveNewVsersion()
{
    toMainThread([](UpdateControl& control) { control.HaveNewVersion(); });
}

void UCInterface::SetNowDownloadStatus(_CheckVersionState state)
{
    toMainThread([state](UpdateControl& control) { control.ManualUpdateState(state); });
}

void UCInterface::DownloadFinished(bool ok)
{
    toMainThread([ok](UpdateControl& control) { control.DownloadFinished(ok); });
}

void UCInterface::DownloadProcess(const char* text, int percent)
{
    const QString line = QString::fromUtf8(text);
    toMainThread([line, percent](UpdateControl& control) { control.DownloadProcess(line, double(percent)); });
}
