// varnock_test_server: the test update server as a program, for trying
// Varnock by hand.
#include "tests/updater/PackageSite.h"
#include "tests/updater/TestUpdateServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves a folder as an update server (see TestUpdateServer.h)."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("The port (default: any free one)."),
                                        QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption sampleOption(
        QStringLiteral("sample"),
        QStringLiteral("Lays out a sample offer of two packages in the folder first."));
    parser.addOption(portOption);
    parser.addOption(sampleOption);
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The folder to serve."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);

    const QString folder = QDir(parser.positionalArguments().first()).absolutePath();
    QDir().mkpath(folder);
    if (parser.isSet(sampleOption) && updater_test::makeSampleSite(folder).isEmpty()) {
        std::fprintf(stderr, "varnock_test_server: cannot make the sample packages (is zip installed?)\n");
        return 1;
    }
    updater_test::TestUpdateServer server(folder);
    if (!server.start(quint16(parser.value(portOption).toUInt()))) {
        std::fprintf(stderr, "varnock_test_server: cannot listen\n");
        return 1;
    }
    std::printf("Serving %s at %s\n", qPrintable(folder), qPrintable(server.baseUrl()));
    std::fflush(stdout);
    return app.exec();
}
