#include "connection/DialRecordExport.h"

#include "connection/TrafficText.h"
#include "platform/ns/AtomicFile.h"

namespace dial_record
{

namespace
{

const QString kConnectName = QStringLiteral("connectname");
const QString kConnectTime = QStringLiteral("connecttime");
const QString kReceiveByte = QStringLiteral("receivebyte");
const QString kSendByte = QStringLiteral("sendbyte");

enum class Form { Text, Csv };

QString dateText(const ns::Dictionary& record, const QString& key, const ExportTexts& texts)
{
    const ns::Value& value = record.value(key);
    return value.isDate() && texts.date ? texts.date(value.toDate()) : QString();
}

QString kilobytesText(const ns::Dictionary& record, const QString& key, bool asDataText,
                      const ExportTexts& texts)
{
    if (!record.contains(key))
        return QString();
    const ns::Value& value = record.value(key);
    if (asDataText && texts.data)
        return texts.data(value.doubleValue() * 1024);
    return value.stringValue();
}

QString csvName(const QString& name)
{
    QString escaped = name;
    escaped.replace(u'"', QStringLiteral("\"\""));
    if (name.contains(u',') || name.contains(u'"') || name.contains(u'\r') || name.contains(u'\n'))
        return u'"' + escaped + u'"';
    return escaped;
}

QByteArray exportOf(const ns::Array& records, const ExportTexts& texts, Form form)
{
    const QString separator = form == Form::Text ? QStringLiteral("\t\t") : QStringLiteral(",");
    const auto line = [&separator](const QStringList& values) {
        QString text;
        for (const QString& value : values)
            text += value + separator;
        return text + u'\n';
    };
    QString text = line(texts.headers);
    for (const ns::Value& entry : records) {
        if (!entry.isDictionary())
            continue;
        const ns::Dictionary record = entry.toDictionary();
        const QString name = record.value(kConnectName).stringValue();
        const bool dataTexts = form == Form::Csv || texts.textWithDataTexts;
        text += line({form == Form::Csv ? csvName(name) : name,
                      dateText(record, QStringLiteral("starttime"), texts),
                      dateText(record, QStringLiteral("disconnecttime"), texts),
                      record.contains(kConnectTime)
                          ? traffic_text::duration(record.value(kConnectTime).longLongValue())
                          : QString(),
                      kilobytesText(record, kReceiveByte, dataTexts, texts),
                      kilobytesText(record, kSendByte, dataTexts, texts)});
    }
    return text.toUtf8();
}

} // namespace

QByteArray textExport(const ns::Array& records, const ExportTexts& texts)
{
    return exportOf(records, texts, Form::Text);
}

QByteArray csvExport(const ns::Array& records, const ExportTexts& texts)
{
    return exportOf(records, texts, Form::Csv);
}

bool writeExport(const QString& path, const QString& fileType, const ns::Array& records,
                 const ExportTexts& texts, QString* error)
{
    if (error)
        error->clear();
    QByteArray bytes;
    if (fileType == QStringLiteral("txt"))
        bytes = textExport(records, texts);
    else if (fileType == QStringLiteral("csv"))
        bytes = csvExport(records, texts);
    else
        return false;
    if (!ns::writeFileAtomically(path, bytes)) {
        if (error)
            *error = QStringLiteral("Cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace dial_record
