#include "device/GetSystemInfo.h"

#include "app/config/ConfigManager.h"
#include "app/language/SystemLanguages.h"
#include "platform/ns/PropertyList.h"

#include <QFile>

#include <optional>

namespace
{

constexpr qint64 kOsReleaseCap = 65536;
constexpr qint64 kDmiValueCap = 256;

// At most cap bytes of a file; nullopt when it cannot be opened.
std::optional<QByteArray> readCapped(const QString& path, qint64 cap)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(cap);
}

// An os-release value: quoted with double or single quotes, or bare, with
// backslash escapes.
QString osReleaseValue(QByteArrayView raw)
{
    QByteArray value;
    char quote = 0;
    if (!raw.isEmpty() && (raw.front() == '"' || raw.front() == '\'')) {
        quote = raw.front();
        raw = raw.sliced(1);
    }
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == quote)
            break;
        if (c == '\\' && i + 1 < raw.size())
            value.append(raw[++i]);
        else
            value.append(c);
    }
    return QString::fromUtf8(value);
}

QString dmiValue(const QString& folder, const char* name)
{
    const std::optional<QByteArray> value = readCapped(folder + u'/' + QLatin1StringView(name), kDmiValueCap);
    return value ? QString::fromUtf8(*value).trimmed() : QString();
}

} // namespace

GetSystemInfo& GetSystemInfo::sharedGetSystemInfo()
{
    static GetSystemInfo* shared = new GetSystemInfo([] { // never freed
        Sources sources;
        sources.reportFile =
            ConfigManager::sharedConfigManager().configFilePathOfKey(kCMSystemInformationFile);
        return sources;
    }());
    return *shared;
}

GetSystemInfo::GetSystemInfo(Sources sources) : sources_(std::move(sources)) {}

QString GetSystemInfo::getOSVersion()
{
    std::optional<QByteArray> text = readCapped(sources_.osRelease, kOsReleaseCap);
    if (!text)
        text = readCapped(sources_.osReleaseFallback, kOsReleaseCap);
    osVersion_.clear();
    if (!text)
        return osVersion_;
    QString name;
    QString version;
    for (const QByteArray& line : text->split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArray key = line.first(equals).trimmed();
        const QString value = osReleaseValue(line.sliced(equals + 1).trimmed());
        if (key == "PRETTY_NAME")
            osVersion_ = value;
        else if (key == "NAME")
            name = value;
        else if (key == "VERSION")
            version = value;
    }
    if (osVersion_.isEmpty())
        osVersion_ = QStringList{name, version}.join(u' ').trimmed();
    if (osVersion_.isEmpty())
        osVersion_ = QStringLiteral("Linux");
    return osVersion_;
}

QString GetSystemInfo::getOSLanguage()
{
    osLanguage_ = SystemLanguages::appleLanguages(sources_.environment).value(0);
    return osLanguage_;
}

QString GetSystemInfo::getPCModel()
{
    PCModel_.clear();
    QString model = dmiValue(sources_.dmiFolder, "product_name");
    if (model.isEmpty())
        model = dmiValue(sources_.dmiFolder, "board_name");
    if (model.isEmpty() || sources_.reportFile.isEmpty())
        return PCModel_;
    const ns::Array report{ns::Dictionary{
        {QStringLiteral("_dataType"), QStringLiteral("SPHardwareDataType")},
        {QStringLiteral("_items"), ns::Array{ns::Dictionary{{QStringLiteral("machine_name"), model}}}},
    }};
    if (!ns::PropertyList::writeFile(sources_.reportFile, report)) {
        qWarning("Cannot write the hardware report %s", qPrintable(sources_.reportFile));
        return PCModel_;
    }
    PCModel_ = machineNameInReport(sources_.reportFile);
    return PCModel_;
}

QString GetSystemInfo::machineNameInReport(const QString& reportFile)
{
    const std::optional<QByteArray> bytes = readCapped(reportFile, kReportCap);
    if (!bytes)
        return QString();
    const std::optional<ns::Value> report = ns::PropertyList::fromData(*bytes);
    if (!report || !report->isArray())
        return QString();
    for (const ns::Value& section : report->toArray()) {
        for (const ns::Value& item : section.toDictionary().value(QStringLiteral("_items")).toArray()) {
            const ns::Value& name = item.toDictionary().value(QStringLiteral("machine_name"));
            if (name.isString())
                return name.toString();
        }
    }
    return QString();
}
