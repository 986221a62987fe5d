// halvexctl: a person's way into Halvex's control channel, against the
// runtime folder the programs use (TRELVAN_RUNTIME_DIR when set).
#include "halvex/ControlClient.h"
#include "halvex/tools/halvexctl/Commands.h"
#include "halvex/tools/halvexctl/JsonArguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace
{

constexpr int kExitUsage = 2;

const char* const kCommands = R"(Commands:
  state                     who answers (process, scenario, log numbers) and the modem's state
  received [--since N]      the records Halvex received from the manager, numbered and timed
  sent [--since N]          the records Halvex sent, or dropped while no manager listened
  inject MAJOR MINOR        send a record to the manager as the modem would
      [--module N] [--type N] [--result N] [--data HEX | --text TEXT]
  step NAME [--args JSON]   take a scenario step, e.g. step signal --args '{"level": 2}'
  steps                     every step with its arguments)";

constexpr qint64 kInt32Min = std::numeric_limits<int32_t>::min();
constexpr qint64 kInt32Max = std::numeric_limits<int32_t>::max();

// The command line: the command, its arguments and options, read with the
// first fault remembered (later reads then give zeros).
class CommandLine
{
public:
    const QCommandLineOption since{QStringLiteral("since"), QStringLiteral("Only entries numbered above N."),
                                   QStringLiteral("N")};
    const QCommandLineOption arguments{QStringLiteral("args"), QStringLiteral("A step's arguments."),
                                       QStringLiteral("JSON")};
    const QCommandLineOption module{QStringLiteral("module"), QStringLiteral("The record's module (1)."),
                                    QStringLiteral("N"), QStringLiteral("1")};
    const QCommandLineOption type{QStringLiteral("type"), QStringLiteral("The record's type (1, a report)."),
                                  QStringLiteral("N"), QStringLiteral("1")};
    const QCommandLineOption result{QStringLiteral("result"),
                                    QStringLiteral("The record's result (0; 255 or -1 is a failure)."),
                                    QStringLiteral("N"), QStringLiteral("0")};
    const QCommandLineOption data{QStringLiteral("data"), QStringLiteral("The payload in hexadecimal."),
                                  QStringLiteral("HEX")};
    const QCommandLineOption text{QStringLiteral("text"), QStringLiteral("The payload as UTF-8 text."),
                                  QStringLiteral("TEXT")};

    explicit CommandLine(const QCoreApplication& app)
    {
        parser_.setApplicationDescription(
            QStringLiteral("Drives the simulated modem Halvex through its control channel.\n\n%1")
                .arg(QString::fromUtf8(kCommands)));
        parser_.addHelpOption();
        parser_.addPositionalArgument(QStringLiteral("command"),
                                      QStringLiteral("One of the commands above."));
        parser_.addOptions({since, arguments, module, type, result, data, text});
        parser_.process(app);
    }

    QString command() const { return parser_.positionalArguments().value(0); }
    QString argument(int index) const { return parser_.positionalArguments().value(index + 1); }
    bool isSet(const QCommandLineOption& option) const { return parser_.isSet(option); }
    QString value(const QCommandLineOption& option) const { return parser_.value(option); }
    const QString& fault() const { return fault_; }

    // The command takes count arguments and only the options allowed.
    void expect(int count, const QList<const QCommandLineOption*>& allowed)
    {
        if (parser_.positionalArguments().size() != count + 1)
            fail(QStringLiteral("%1 takes %2 argument(s)").arg(command()).arg(count));
        for (const QCommandLineOption* option : {&since, &arguments, &module, &type, &result, &data, &text})
            if (parser_.isSet(*option) && !allowed.contains(option))
                fail(QStringLiteral("%1 takes no --%2").arg(command(), option->names().constFirst()));
    }

    // A number, decimal or 0x hexadecimal, within a range.
    qint64 number(const QString& given, const QString& what, qint64 min, qint64 max)
    {
        bool ok = false;
        const qint64 value = given.toLongLong(&ok, 0);
        if (ok && value >= min && value <= max)
            return value;
        fail(QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
                 .arg(what)
                 .arg(min)
                 .arg(max)
                 .arg(given));
        return 0;
    }

    void fail(const QString& reason)
    {
        if (fault_.isEmpty())
            fault_ = reason;
    }

private:
    QCommandLineParser parser_;
    QString fault_;
};

std::optional<_UI_MSG> recordToInject(CommandLine& line)
{
    line.expect(2, {&line.module, &line.type, &line.result, &line.data, &line.text});
    if (line.isSet(line.data) && line.isSet(line.text))
        line.fail(QStringLiteral("inject takes --data or --text, not both"));
    QByteArray payload = line.value(line.text).toUtf8();
    if (line.isSet(line.data)) {
        const QByteArray hex = line.value(line.data).toLatin1();
        payload = QByteArray::fromHex(hex);
        if (payload.toHex() != hex.toLower())
            line.fail(QStringLiteral("--data must be hexadecimal, two digits a byte"));
    }
    if (payload.size() > kUIMsgDataSize)
        line.fail(QStringLiteral("the payload is longer than %1 bytes").arg(kUIMsgDataSize));
    const _UI_MSG record = makeUIMsg(
        int32_t(line.number(line.value(line.module), QStringLiteral("--module"), kInt32Min, kInt32Max)),
        uint16_t(line.number(line.argument(0), QStringLiteral("MAJOR"), 0, 0xFFFF)),
        uint16_t(line.number(line.argument(1), QStringLiteral("MINOR"), 0, 0xFFFF)),
        int32_t(line.number(line.value(line.type), QStringLiteral("--type"), kInt32Min, kInt32Max)),
        int8_t(line.number(line.value(line.result), QStringLiteral("--result"), -128, 255)), payload);
    if (!line.fault().isEmpty())
        return std::nullopt;
    return record;
}

int run(CommandLine& line, halvexctl::Streams streams)
{
    const halvex::ControlClient client;
    const QString command = line.command();
    if (command == QLatin1String("state")) {
        line.expect(0, {});
        return line.fault().isEmpty() ? halvexctl::showState(client, streams) : kExitUsage;
    }
    if (command == QLatin1String("steps")) {
        line.expect(0, {});
        return line.fault().isEmpty() ? halvexctl::showSteps(client, streams) : kExitUsage;
    }
    if (command == QLatin1String("received") || command == QLatin1String("sent")) {
        line.expect(0, {&line.since});
        const qint64 since = line.isSet(line.since)
                                 ? line.number(line.value(line.since), QStringLiteral("--since"), 0,
                                               std::numeric_limits<qint64>::max())
                                 : 0;
        const auto log = command == QLatin1String("sent") ? halvex::ControlClient::Log::Sent
                                                          : halvex::ControlClient::Log::Received;
        return line.fault().isEmpty() ? halvexctl::showLog(client, log, uint64_t(since), streams)
                                      : kExitUsage;
    }
    if (command == QLatin1String("step")) {
        line.expect(1, {&line.arguments});
        ns::Dictionary arguments;
        if (line.isSet(line.arguments)) {
            QString error;
            arguments =
                dictionaryFromJson(line.value(line.arguments).toUtf8(), &error).value_or(ns::Dictionary());
            if (!error.isEmpty())
                line.fail(QStringLiteral("--args: %1").arg(error));
        }
        return line.fault().isEmpty() ? halvexctl::runStep(client, line.argument(0), arguments, streams)
                                      : kExitUsage;
    }
    if (command == QLatin1String("inject")) {
        const std::optional<_UI_MSG> record = recordToInject(line);
        return record ? halvexctl::inject(client, *record, streams) : kExitUsage;
    }
    line.fail(command.isEmpty() ? QStringLiteral("no command given")
                                : QStringLiteral("no command \"%1\"").arg(command));
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("halvexctl"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    CommandLine line(app);
    const int exitCode = run(line, {out, err});
    if (!line.fault().isEmpty())
        err << "halvexctl: " << line.fault() << "\n\n" << kCommands << Qt::endl;
    return exitCode;
}
