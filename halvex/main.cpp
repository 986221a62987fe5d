#include "halvex/ClientLink.h"
#include "halvex/ControlChannel.h"
#include "halvex/DeviceChannel.h"
#include "halvex/Logging.h"
#include "halvex/Modem.h"
#include "halvex/Scenario.h"
#include "jCommon/DeviceServerChannel.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ns/Bundle.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace
{

constexpr int kExitCannotListen = 1;
constexpr int kExitBadScenario = 2;

// The scenario named on the command line, else by HALVEX_SCENARIO, else the
// default one in the bundle's resources.
QString scenarioPath(const QString& argument)
{
    if (!argument.isEmpty())
        return argument;
    if (const QString fromEnvironment = qEnvironmentVariable("HALVEX_SCENARIO"); !fromEnvironment.isEmpty())
        return fromEnvironment;
    return ns::Bundle::mainBundle().pathForResource(QStringLiteral("DefaultScenario"),
                                                    QStringLiteral("plist"));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Halvex"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays one modem for the connection manager."));
    parser.addHelpOption();
    const QCommandLineOption scenarioOption(
        QStringLiteral("scenario"),
        QStringLiteral("The scenario property list (default: $HALVEX_SCENARIO, else the bundle's "
                       "DefaultScenario.plist)."),
        QStringLiteral("path"));
    parser.addOption(scenarioOption);
    parser.process(app);

    const QString path = scenarioPath(parser.value(scenarioOption));
    if (path.isEmpty()) {
        std::fprintf(stderr,
                     "Halvex: no scenario given, and DefaultScenario.plist is missing from the resources\n");
        return kExitBadScenario;
    }
    QString error;
    const std::optional<halvex::Scenario> scenario = halvex::Scenario::load(path, &error);
    if (!scenario) {
        std::fprintf(stderr, "Halvex: scenario %s: %s\n", qPrintable(path), qPrintable(error));
        return kExitBadScenario;
    }

    halvex::ClientLink link;
    halvex::Modem modem(*scenario, [&link](const _UI_MSG& record) { return link.send(record); });
    ae::AppleEventManager& manager = ae::AppleEventManager::sharedAppleEventManager();
    halvex::DeviceChannel deviceChannel(modem);
    deviceChannel.install(manager);
    halvex::ControlChannel controlChannel(modem);
    controlChannel.install(manager);
    if (!manager.listen(kJOVDataCardServer)) {
        std::fprintf(stderr, "Halvex: cannot register as %s (is another Halvex running?)\n",
                     qPrintable(kJOVDataCardServer));
        return kExitCannotListen;
    }
    qCInfo(halvex::lcHalvex).noquote() << "playing" << path;
    modem.powerOn();
    return app.exec();
}
