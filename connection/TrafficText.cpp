#include "connection/TrafficText.h"

#include "app/config/ConfigManager.h"
#include "connection/RecordSettingsKeys.h"
#include "platform/lindora/Lindora.h"

#include <optional>

namespace traffic_text
{

namespace
{

const QString kInternet = QStringLiteral("Internet");

constexpr double kKilo = 1024;
constexpr double kMega = 1024 * 1024;

const UnitFormats kDataFormats{QStringLiteral("%0.2f KB"), QStringLiteral("%0.2f MB"),
                               QStringLiteral("%0.2f GB")};
const UnitFormats kBitFormats{QStringLiteral("%0.2f Kb"), QStringLiteral("%0.2f Mb"),
                              QStringLiteral("%0.2f Gb")};
const UnitFormats kSpeedFormats{QStringLiteral("%0.2f KB/s"), QStringLiteral("%0.2f MB/s"),
                                QStringLiteral("%0.2f GB/s")};
const UnitFormats kBitSpeedFormats{QStringLiteral("%0.2f Kb/s"), QStringLiteral("%0.2f Mb/s"),
                                   QStringLiteral("%0.2f Gb/s")};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The format with its one "%f" conversion filled in; nullopt when the text
// holds another conversion, none, or more than one. Width and precision
// take at most two digits each.
std::optional<QString> fill(const QString& format, double value)
{
    QString text;
    bool filled = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            text += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            text += u'%';
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < format.size() && QStringLiteral("-+ #0").contains(format[j]))
            ++j;
        const qsizetype widthStart = j;
        while (j < format.size() && isDigit(format[j]))
            ++j;
        if (j - widthStart > 2)
            return std::nullopt;
        if (j < format.size() && format[j] == u'.') {
            const qsizetype precisionStart = ++j;
            while (j < format.size() && isDigit(format[j]))
                ++j;
            if (j - precisionStart > 2)
                return std::nullopt;
        }
        if (filled || j >= format.size() || format[j] != u'f')
            return std::nullopt;
        const QByteArray conversion = format.mid(i, j - i + 1).toLatin1();
        text += QString::asprintf(conversion.constData(), value);
        filled = true;
        i = j;
    }
    if (!filled)
        return std::nullopt;
    return text;
}

} // namespace

Units Units::fromSettings(const ConfigManager& store)
{
    const auto flag = [&store](const QString& module, const QString& key) {
        return store.getConfigurationByModuleAndKey(module, key).boolValue();
    };
    const auto text = [&store](const QString& module, const QString& key) {
        return store.getConfigurationByModuleAndKey(module, key).toString();
    };
    Units units;
    units.dataWithMB = flag(kInternet, QStringLiteral("DataWithMB"));
    units.dataInBits = text(kInternet, QStringLiteral("dataType")) == QStringLiteral("Kb");
    units.speedInBits =
        flag(kInternet, QStringLiteral("SpeedUnitKBit")) ||
        text(record_keys::kRecord, QStringLiteral("ConnectRateUnit")) == QStringLiteral("Kbps");
    units.speedOnlyKbit = flag(kInternet, QStringLiteral("SpeedUnitOnlyKBit"));
    return units;
}

QString formatTransferDataWithUnitArray(double value, const UnitFormats* formats)
{
    if (value < 0 || !formats)
        return QString();
    const double k = value / kKilo;
    if (k < kKilo)
        return number((*formats)[0], k);
    if (k < kMega)
        return number((*formats)[1], k / kKilo);
    return number((*formats)[2], k / kKilo / kKilo);
}

QString formatTransferData(double bytes, const Units& units)
{
    if (units.dataWithMB)
        return number(QStringLiteral("%0.2f"), bytes / kMega);
    if (units.dataInBits)
        return formatTransferDataWithUnitArray(bytes * 8, &kBitFormats);
    return formatTransferDataWithUnitArray(bytes, &kDataFormats);
}

QString autoSwitchStatisticData(double kilobytes, const Units& units)
{
    if (units.dataInBits)
        return formatTransferDataWithUnitArray(kilobytes * 8 * kKilo, &kBitFormats);
    return formatTransferDataWithUnitArray(kilobytes * kKilo, &kDataFormats);
}

QString formatTransferSpeed(double bytesPerSecond, const Units& units)
{
    if (units.speedInBits)
        return formatTransferDataWithUnitArray(bytesPerSecond * 8, &kBitSpeedFormats);
    if (units.speedOnlyKbit)
        return number(QStringLiteral("%0.2f Kbit/s"), bytesPerSecond * 8 / kKilo);
    return formatTransferDataWithUnitArray(bytesPerSecond, &kSpeedFormats);
}

QString duration(long long seconds)
{
    if (seconds < 0)
        seconds = 0;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

long raisedToQuarterHour(long seconds)
{
    return (seconds / 900 + 1) * 900;
}

QString number(const QString& formatKey, double value)
{
    if (std::optional<QString> text = fill(Map_Name_Item_of_IndexString(formatKey), value))
        return *text;
    return fill(formatKey, value).value_or(formatKey);
}

} // namespace traffic_text
