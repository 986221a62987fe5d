#include "connection/SpeedTestFormats.h"

#include <QUrl>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace speed_test
{

namespace
{

const QString kMCC = QStringLiteral("MCC");
const QString kMNC = QStringLiteral("MNC");
const QString kTEST = QStringLiteral("TEST");

// The operator's fixed account on the result page.
constexpr auto kUploadUser = "jov";
constexpr auto kUploadPassword = "5kt29wq";
constexpr auto kConnectionTypes = "EDGE,GPRS,HSDPA,HSPA+,DC-HSPA+,etc";

// Kilobits per unit of a rate's prefix letter ("Kbits/sec", "Mbits/sec" ...).
std::optional<double> kilobitsPerUnit(QStringView unit)
{
    if (unit == u"bits/sec")
        return 0.001;
    if (unit.size() != 9 || !unit.endsWith(u"bits/sec"))
        return std::nullopt;
    switch (unit.front().unicode()) {
    case 'K':
    case 'k':
        return 1.0;
    case 'M':
    case 'm':
        return 1e3;
    case 'G':
    case 'g':
        return 1e6;
    case 'T':
    case 't':
        return 1e9;
    default:
        return std::nullopt;
    }
}

QByteArray encoded(const QString& value)
{
    return QUrl::toPercentEncoding(value);
}

QString optionalFigure(const std::optional<double>& figure)
{
    return figure ? figureText(*figure) : QString();
}

} // namespace

ns::Dictionary readControlFile(const QByteArray& utf8Text)
{
    ns::Dictionary control;
    const QString text = QString::fromUtf8(utf8Text);
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() < 2)
            continue;
        const QString& key = parts.front();
        if (key == kMCC || key == kMNC || key == kTEST)
            control.setValue(key, parts.back());
    }
    return control;
}

HomeNetwork splitHomeNetwork(const QString& hmccmnc)
{
    return {hmccmnc.left(3), hmccmnc.mid(3)};
}

bool controlWantsTest(const ns::Dictionary& control, const HomeNetwork& home)
{
    if (home.mcc.size() != 3 || home.mnc.isEmpty())
        return false;
    if (!control.contains(kMCC) || control.value(kMCC).toString() != home.mcc)
        return false;
    if (control.value(kTEST).toString() != QLatin1String("ON"))
        return false;
    const QStringList mncs = control.value(kMNC).toString().split(QLatin1Char(','));
    return std::any_of(mncs.begin(), mncs.end(),
                       [&](const QString& mnc) { return mnc.startsWith(home.mnc); });
}

QStringList iperfArguments(const QString& host, const ns::Dictionary& parameters)
{
    const auto number = [&](const char* key) {
        return QString::number(parameters.value(QLatin1String(key)).intValue());
    };
    return {QStringLiteral("-u"),
            QStringLiteral("-c"),
            host,
            QStringLiteral("-i"),
            number("Internet_TimeUnitforIperf"),
            QStringLiteral("-n"),
            number("Internet_SendDataforIperf") + QLatin1Char('M'),
            QStringLiteral("-b"),
            number("Internet_TheorySpeedforIperf") + QStringLiteral("Mbit/s"),
            QStringLiteral("-t"),
            number("Internet_TotalSendTimeforIperf")};
}

std::optional<double> readUploadSpeedValue(const QByteArray& report)
{
    const QString text = QString::fromUtf8(report);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString trimmed = line->trimmed();
        if (!trimmed.endsWith(QLatin1String("its/sec")))
            continue;
        const QStringList words = trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 2)
            return std::nullopt;
        const std::optional<double> scale = kilobitsPerUnit(words.back());
        bool isNumber = false;
        const double value = words.at(words.size() - 2).toDouble(&isNumber);
        if (!scale || !isNumber || !std::isfinite(value) || value < 0)
            return std::nullopt;
        return value * *scale;
    }
    return std::nullopt;
}

std::optional<double> averageLatencyMs(const QList<double>& successSeconds)
{
    if (successSeconds.isEmpty())
        return std::nullopt;
    const double total = std::accumulate(successSeconds.begin(), successSeconds.end(), 0.0);
    return total / double(successSeconds.size()) * 1000.0;
}

std::optional<double> downloadSpeed(qint64 bytes, double successSeconds, int successes)
{
    if (successes == 0 || successSeconds <= 0)
        return std::nullopt;
    return 8.0 * double(bytes) / successSeconds;
}

QByteArray uploadPath(const UploadFields& fields)
{
    const std::pair<const char*, QString> values[] = {
        {"msisdn=", fields.msisdn},
        {"&user=", QLatin1String(kUploadUser)},
        {"&password=", QLatin1String(kUploadPassword)},
        {"&cellid=", fields.cellid},
        {"&mnc=", fields.home.mnc},
        {"&mcc=", fields.home.mcc},
        {"&download=", optionalFigure(fields.download)},
        {"&upload=", optionalFigure(fields.upload)},
        {"&lateny=", optionalFigure(fields.latency)},
        {"&rssi=", fields.rssi},
        {"&ecno=", fields.ecno},
        {"&rscp=", fields.rscp},
        {"&conntype=", QLatin1String(kConnectionTypes)},
        {"&disconnectionreason=", fields.disconnectionReason},
    };
    QByteArray path("/check/checkspeed.php/");
    for (const auto& [name, value] : values)
        path += name + encoded(value);
    return path;
}

QString figureText(double figure)
{
    return QString::number(figure, 'g', 12);
}

} // namespace speed_test
