// The test installer tool "Engine" that a test connection-manager package
// carries: run with "-u", it records who runs it and sends the update manager
// the progress steps and the result its EngineScript.plist lists.
#include "jCommon/UpdateLink.h"
#include "platform/ns/PropertyList.h"
#include "tests/updater/EngineScript.h"
#include "tests/updater/TestSender.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <unistd.h>

using namespace updater_test;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (QCoreApplication::arguments().mid(1) != QStringList{QStringLiteral("-u")}) {
        std::fprintf(stderr, "Engine: usage: Engine -u\n");
        return 2;
    }
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/EngineScript.plist"));
    QString error;
    const std::optional<EngineScript> script =
        file.open(QIODevice::ReadOnly) ? parseEngineScript(file.readAll(), &error) : std::nullopt;
    if (!script) {
        std::fprintf(stderr, "Engine: no script: %s\n", qPrintable(error));
        return 1;
    }
    if (!script->record.isEmpty())
        ns::PropertyList::writeFile(script->record,
                                    ns::Dictionary{{QStringLiteral("uid"), qint64(::getuid())},
                                                   {QStringLiteral("euid"), qint64(::geteuid())},
                                                   {QStringLiteral("directory"), QDir::currentPath()},
                                                   {QStringLiteral("TRELVAN_RUNTIME_DIR"),
                                                    qEnvironmentVariable("TRELVAN_RUNTIME_DIR")}});
    for (const EngineScript::Step& step : script->steps)
        sendUpdateCommand(ns::Dictionary{{kCMD_ID, int(CMD_ID_UE_PROCESS)},
                                         {kUPDA_PROCESS, step.process},
                                         {kUPDA_STATE, step.state}},
                          Delivery::WaitHandled);
    if (script->result)
        sendUpdateCommand(ns::Dictionary{{kCMD_ID, int(CMD_ID_UE_RESULT)}, {kUPDA_RESULT, *script->result}},
                          Delivery::WaitHandled);
    return 0;
}
