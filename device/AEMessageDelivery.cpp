// Launching Varnock and delivering the commands to it: each one a 'GURL'
// event without a reply, delivered in order, waiting a bounded time for a
// receiver that is not there yet.
#include "device/AEMessage.h"

#include "jCommon/UpdateLink.h"
#include "platform/ae/AESend.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Clock.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Workspace.h"

namespace
{

// A command is sent and forgotten: one tick is all it may take.
constexpr long kSendTimeOutTicks = 1;

} // namespace

void AEMessage::start_Updater()
{
    if (!m_isSupportUpdateFunction)
        return;
    const QString updater =
        ns::Bundle::mainBundle().pathForResource(QStringLiteral("Varnock.app"), QString(), QString());
    if (updater.isEmpty()) {
        qWarning("Update link: Varnock.app is not among the application's resources; it is not launched");
        return;
    }
    if (!ns::Workspace::sharedWorkspace().launchApplication(updater))
        qWarning("Update link: %s could not be launched", qPrintable(updater));
}

void AEMessage::SendMessage(const ns::Dictionary& command, ae::OSType keyword, const QString& appID)
{
    ae::AppleEvent event(kUpdateEventClass, kUpdateEventID, ae::Descriptor::fromBundleIdentifier(appID),
                         ae::kAutoGenerateReturnID, ae::kAnyTransactionID);
    event.setParamDescriptor(keyword, ae::Descriptor{typeUpdateCommand, ns::PropertyList::toXml(command)});
    waitingCommands_.append(event);
    deliverWaitingCommands();
}

void AEMessage::deliverWaitingCommands()
{
    while (!waitingCommands_.isEmpty()) {
        const ae::AppleEvent& event = waitingCommands_.first();
        const ae::OSErr status =
            ae::AESend(event, nullptr, ae::kAENoReply, ae::kAEHighPriority, kSendTimeOutTicks);
        if (status == ae::procNotFound) {
            if (!waitTimer_) {
                waitDeadline_ = ns::Clock::current().now().addMSecs(qint64(kEndpointWaitSeconds * 1000));
                waitTimer_ = ns::Timer::scheduledTimer(kEndpointRetrySeconds, true,
                                                       [this](ns::Timer&) { retryWaitingCommands(); });
            }
            return;
        }
        if (status != ae::noErr)
            qWarning("Update link: a command to %s failed (%d)", qPrintable(event.targetBundleIdentifier()),
                     int(status));
        waitingCommands_.removeFirst();
    }
    stopWaiting();
}

void AEMessage::retryWaitingCommands()
{
    deliverWaitingCommands();
    if (waitingCommands_.isEmpty() || ns::Clock::current().now() < waitDeadline_)
        return;
    qWarning("Update link: nothing listens as %s after %g s; %d commands are dropped",
             qPrintable(waitingCommands_.first().targetBundleIdentifier()), kEndpointWaitSeconds,
             int(waitingCommands_.size()));
    waitingCommands_.clear();
    stopWaiting();
}

void AEMessage::stopWaiting()
{
    if (waitTimer_) {
        waitTimer_->invalidate();
        waitTimer_.reset();
    }
}
