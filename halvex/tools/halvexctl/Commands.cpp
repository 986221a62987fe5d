#include "halvex/tools/halvexctl/Commands.h"

#include "jCommon/PayloadReader.h"

#include <QDateTime>

namespace halvexctl
{

namespace
{

// The first payload bytes shown on an entry's line.
constexpr int kPayloadShown = 32;

int refused(Streams streams, const QString& reason)
{
    streams.err << "halvexctl: " << reason << Qt::endl;
    return kExitRefused;
}

QString valueText(const ns::Value& value)
{
    if (value.isBool())
        return value.boolValue() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isDate())
        return value.toDate().toString(Qt::ISODateWithMs);
    return value.stringValue();
}

// "  12     1034 ms  7/55  module 1  type 1  result 0  length 12  4F000000..."
QString entryLine(const halvex::LoggedRecord& entry)
{
    const _UI_MSG record = entry.record();
    const int shown = std::clamp(int(record.length), 0, kPayloadShown);
    QString line = QStringLiteral("%1 %2 ms  %3  module %4  type %5  result %6  length %7")
                       .arg(entry.number, 6)
                       .arg(entry.msecs, 9)
                       .arg(recordName(record), -9)
                       .arg(record.moduleID)
                       .arg(record.type)
                       .arg(int(record.result))
                       .arg(record.length);
    if (entry.dropped)
        line += QStringLiteral("  DROPPED (no manager)");
    if (shown > 0) {
        line += QStringLiteral("  ") +
                QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(record.data), shown).toHex());
        if (record.length > shown)
            line += QStringLiteral("...");
    }
    return line;
}

} // namespace

int showState(const halvex::ControlClient& client, Streams streams)
{
    QString error;
    const std::optional<ns::Dictionary> state = client.state(&error);
    if (!state)
        return refused(streams, error);
    for (const auto& [key, value] : *state)
        streams.out << key << ": " << valueText(value) << Qt::endl;
    return 0;
}

int showLog(const halvex::ControlClient& client, halvex::ControlClient::Log log, uint64_t since,
            Streams streams)
{
    QString error;
    const std::optional<std::vector<halvex::LoggedRecord>> entries = client.entriesAfter(log, since, &error);
    if (!entries)
        return refused(streams, error);
    for (const halvex::LoggedRecord& entry : *entries)
        streams.out << entryLine(entry) << Qt::endl;
    return 0;
}

int showSteps(const halvex::ControlClient& client, Streams streams)
{
    QString error;
    const std::optional<ns::Array> steps = client.steps(&error);
    if (!steps)
        return refused(streams, error);
    for (const ns::Value& item : *steps) {
        const ns::Dictionary step = item.toDictionary();
        const ns::Array arguments = step.value(QStringLiteral("Arguments")).toArray();
        QStringList usage{step.value(QStringLiteral("Name")).toString()};
        for (const ns::Value& argument : arguments)
            usage << argument.toDictionary().value(QStringLiteral("Name")).toString();
        streams.out << usage.join(QLatin1Char(' ')) << Qt::endl
                    << "    " << step.value(QStringLiteral("Description")).toString() << Qt::endl;
        for (const ns::Value& value : arguments) {
            const ns::Dictionary argument = value.toDictionary();
            streams.out << "    " << argument.value(QStringLiteral("Name")).toString() << ": "
                        << argument.value(QStringLiteral("Type")).toString() << " from "
                        << valueText(argument.value(QStringLiteral("Minimum"))) << " to "
                        << valueText(argument.value(QStringLiteral("Maximum"))) << ", "
                        << argument.value(QStringLiteral("Description")).toString() << Qt::endl;
        }
    }
    return 0;
}

int runStep(const halvex::ControlClient& client, const QString& name, const ns::Dictionary& arguments,
            Streams streams)
{
    const QString reason = client.step(name, arguments);
    return reason.isEmpty() ? 0 : refused(streams, reason);
}

int inject(const halvex::ControlClient& client, const _UI_MSG& record, Streams streams)
{
    const QString reason = client.inject(record);
    return reason.isEmpty() ? 0 : refused(streams, reason);
}

} // namespace halvexctl
