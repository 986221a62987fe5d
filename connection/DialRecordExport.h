#pragma once

#include "platform/ns/Value.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <functional>

// The connection history as a text or CSV file: a header line of the six
// column titles, then one line per record with "connectname", "starttime",
// "disconnecttime", "connecttime" (hours:minutes:seconds), "receivebyte" and
// "sendbyte"; every value is followed by two tabs (text) or a comma (CSV),
// every line by a line feed. A missing value is empty.
namespace dial_record
{

struct ExportTexts {
    QStringList headers; // the six column titles, translated, in column order
    std::function<QString(const QDateTime&)> date;
    std::function<QString(double bytes)> data; // the data text of a byte count
    // The text form shows data texts instead of the stored kilobytes.
    bool textWithDataTexts = false;
};

QByteArray textExport(const ns::Array& records, const ExportTexts& texts);
// The name is the one escaped value: quotation marks doubled, and the whole
// name quoted when it holds a comma, a quotation mark, CR or LF.
QByteArray csvExport(const ns::Array& records, const ExportTexts& texts);
// Writes the form the file type names ("txt" or "csv") atomically in UTF-8.
// False when nothing was written: with the reason in error when the file
// could not be written, with error empty for another type.
bool writeExport(const QString& path, const QString& fileType, const ns::Array& records,
                 const ExportTexts& texts, QString* error);

} // namespace dial_record
