#include "device/UpdateFileText.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>

namespace update_file_text
{

namespace
{

// The text after the last "V" with its first "B" made a "."; nullopt when
// there is no such text, and unchanged (flagged) when it has no "B".
struct VersionTail {
    QString text;
    bool hadBuildMark = false;
};

std::optional<VersionTail> versionTail(const QString& version)
{
    const qsizetype mark = version.lastIndexOf(u'V');
    if (mark < 0 || mark + 1 >= version.size())
        return std::nullopt;
    VersionTail tail{version.mid(mark + 1)};
    const qsizetype build = tail.text.indexOf(u'B');
    if (build >= 0) {
        tail.text[build] = u'.';
        tail.hadBuildMark = true;
    }
    return tail;
}

bool isLineBreakOrControl(QChar c)
{
    return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
           c.category() == QChar::Separator_Paragraph;
}

} // namespace

QString uiVersionNumber(const QString& version)
{
    const std::optional<VersionTail> tail = versionTail(version);
    return tail && tail->hadBuildMark ? tail->text : QString();
}

QString firmwareVersionNumber(const QString& version)
{
    const std::optional<VersionTail> tail = versionTail(version);
    return tail ? tail->text : QString();
}

bool isSafeLineValue(const QString& value)
{
    return std::none_of(value.cbegin(), value.cend(), isLineBreakOrControl);
}

std::optional<QByteArray> rewriteLine(QByteArrayView fileBytes, QByteArrayView key, const QString& value,
                                      QString* error)
{
    if (!isSafeLineValue(value)) {
        if (error)
            *error = QStringLiteral("the value holds a line break or a control character");
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(fileBytes);
    if (utf8.hasError()) {
        if (error)
            *error = QStringLiteral("the file is not UTF-8 text");
        return std::nullopt;
    }
    const QByteArray newValue = value.toUtf8();
    QByteArray result;
    result.reserve(fileBytes.size() + newValue.size() + 16);
    for (QByteArrayView line : QByteArray::fromRawData(fileBytes.data(), fileBytes.size()).split('\n')) {
        if (line.isEmpty() || line == "\r")
            continue;
        const qsizetype at = line.indexOf(key);
        if (at >= 0) {
            result += line.first(at + key.size());
            result += newValue;
        } else {
            result += line;
        }
        result += "\n\n";
    }
    return result;
}

} // namespace update_file_text
