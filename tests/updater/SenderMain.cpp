// varnock_test_sender: sends Varnock the connection manager's commands, for
// trying Varnock by hand.
#include "jCommon/UpdateLink.h"
#include "platform/ns/PropertyList.h"
#include "tests/updater/TestSender.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sends Varnock one command of the update link.\n"
        "  init                      (re)initialise the update agent\n"
        "  update                    check for an update (--mode 1 manual, 3 automatic)\n"
        "  device present|absent     report the device\n"
        "  server URL --ini FILE     write the agent's settings file with the update server, then init"));
    parser.addHelpOption();
    const QCommandLineOption modeOption(QStringLiteral("mode"), QStringLiteral("UPDATE_MODE (default 1)."),
                                        QStringLiteral("mode"), QStringLiteral("1"));
    const QCommandLineOption infoOption(
        QStringLiteral("local-info"), QStringLiteral("A LocalInfo.plist to take the client's strings from."),
        QStringLiteral("file"));
    const QCommandLineOption languageOption(QStringLiteral("language"),
                                            QStringLiteral("UI_Language (default en)."),
                                            QStringLiteral("code"), QStringLiteral("en"));
    const QCommandLineOption noDeviceOption(QStringLiteral("no-device"),
                                            QStringLiteral("DEVICE_STATE false."));
    const QCommandLineOption iniOption(QStringLiteral("ini"), QStringLiteral("The agent's UpdateCfg.ini."),
                                       QStringLiteral("file"));
    const QCommandLineOption disableOption(QStringLiteral("disable"),
                                           QStringLiteral("With server: ENABLE_UPDATE=0."));
    parser.addOptions({modeOption, infoOption, languageOption, noDeviceOption, iniOption, disableOption});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("init, update, device or server."));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const QString command = arguments.value(0);
    ns::Dictionary localInfo = updater_test::sampleLocalInfo();
    if (parser.isSet(infoOption)) {
        const std::optional<ns::Dictionary> read = ns::PropertyList::readDictionary(parser.value(infoOption));
        if (!read) {
            std::fprintf(stderr, "varnock_test_sender: cannot read %s\n",
                         qPrintable(parser.value(infoOption)));
            return 1;
        }
        localInfo = *read;
    }

    ns::Dictionary message;
    if (command == u"init") {
        message = updater_test::initCommand();
    } else if (command == u"update") {
        message = updater_test::updateCommand(parser.value(modeOption).toInt(), localInfo,
                                              !parser.isSet(noDeviceOption), parser.value(languageOption));
    } else if (command == u"device" &&
               (arguments.value(1) == u"present" || arguments.value(1) == u"absent")) {
        message = updater_test::deviceStateCommand(arguments.value(1) == u"present", localInfo,
                                                   parser.value(languageOption));
    } else if (command == u"server" && arguments.size() == 2 && parser.isSet(iniOption)) {
        if (!updater_test::writeUpdateSettings(parser.value(iniOption), arguments.value(1),
                                               !parser.isSet(disableOption))) {
            std::fprintf(stderr, "varnock_test_sender: cannot write %s\n",
                         qPrintable(parser.value(iniOption)));
            return 1;
        }
        message = updater_test::initCommand();
    } else {
        parser.showHelp(1);
    }
    const ae::OSErr error = updater_test::sendUpdateCommand(message);
    if (error != ae::noErr) {
        std::fprintf(stderr, "varnock_test_sender: not delivered (%d; is Varnock running?)\n", int(error));
        return 1;
    }
    return 0;
}
