// The speed test after a connection comes up: the settings and the SIM are
// read here, the measurements run on a thread of their own.
#include "connection/DialController.h"

#include "app/service/JovServiceBase.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "connection/SpeedTestController.h"
#include "jCommon/MccMnc.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/NotificationCenter.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");

} // namespace

void DialController::testSpeed()
{
    speedTestThreads_.connectionChanged();
    if (connectStatus_ != Connected || !switches_.isNeedTestSpeedAtConnected())
        return;
    SpeedTestController& controller = SpeedTestController::shareSpeedTestController();
    // The operator's speed-test server, as "http://host[:port]": the files are
    // fetched from it and the upload tool sends to its host.
    const QUrl server(
        configStore()
            .getConfigurationByModuleAndKey(kInternet, QStringLiteral("Internet_SpeedTestServer"))
            .toString());
    controller.setSubscriber({true, server, mccMncFromImsi(JovServiceBase().imsi()),
                              runtimeObjectForKey(kRTPhoneNumber).toString()});

    speed_test::SpeedTestRun run;
    run.server = server;
    if (const ns::Value parameters = switches_.getParmsForUploadTestTool(); parameters.isDictionary())
        run.iperfParameters = parameters.toDictionary().deepCopy();
    run.iperfPath = ns::Bundle::mainBundle().resourcePath() + QStringLiteral("/iperf");
    run.workFolder = SpeedTestController::privateCacheFolder();
    run.disconnectionReason =
        configStore()
            .getConfigurationByModuleAndKey(kInternet, QStringLiteral("DisconnectReason"))
            .intValue();
    run.isNeedTestSpeed = [&controller] { return controller.isNeedTestSpeed(); };
    run.log = [&controller](const QString& line) { controller.writeToLogFile(line); };
    run.report = [this](const ns::Dictionary& figures) {
        ns::NotificationCenter::defaultCenter().postNotificationName(
            QStringLiteral("ReadDelayTimeDownlaodUploadValusForSpeedTest"), this, figures);
    };
    speedTestThreads_.start(std::move(run));
}

void DialController::writeToLogFile(const QString& line)
{
    SpeedTestController::shareSpeedTestController().writeToLogFile(line);
}
