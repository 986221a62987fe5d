#include "platform/ns/StringsFile.h"

#include <QFile>
#include <QtDebug>

namespace ns::StringsFile
{

namespace
{

class Parser
{
public:
    explicit Parser(const QString& text) : s_(text) {}

    std::optional<Dictionary> run()
    {
        Dictionary result;
        for (;;) {
            skipSpaceAndComments();
            if (atEnd())
                return result;
            std::optional<QString> key = token();
            if (!key)
                return fail("a key");
            skipSpaceAndComments();
            if (peek() == u';') { // "key"; stands for "key" = "key";
                ++i_;
                result.setValue(*key, *key);
                continue;
            }
            if (peek() != u'=')
                return fail("'='");
            ++i_;
            skipSpaceAndComments();
            std::optional<QString> value = token();
            if (!value)
                return fail("a value");
            skipSpaceAndComments();
            if (peek() != u';')
                return fail("';'");
            ++i_;
            result.setValue(*key, *value);
        }
    }

private:
    bool atEnd() const { return i_ >= s_.size(); }
    QChar peek() const { return atEnd() ? QChar() : s_.at(i_); }

    std::optional<Dictionary> fail(const char* expected)
    {
        const int line = int(s_.left(i_).count(u'\n')) + 1;
        qWarning("Strings file: expected %s on line %d", expected, line);
        return std::nullopt;
    }

    void skipSpaceAndComments()
    {
        while (!atEnd()) {
            if (peek().isSpace() || peek() == QChar(0xFEFF)) {
                ++i_;
            } else if (s_.mid(i_, 2) == u"//") {
                while (!atEnd() && peek() != u'\n')
                    ++i_;
            } else if (s_.mid(i_, 2) == u"/*") {
                const qsizetype end = s_.indexOf(u"*/", i_ + 2);
                i_ = end < 0 ? s_.size() : end + 2;
            } else {
                return;
            }
        }
    }

    std::optional<QString> token()
    {
        if (peek() == u'"')
            return quoted();
        const qsizetype start = i_;
        while (!atEnd() && (peek().isLetterOrNumber() || QStringView(u"_$:./-").contains(peek())))
            ++i_;
        if (i_ == start)
            return std::nullopt;
        return s_.mid(start, i_ - start);
    }

    std::optional<QString> quoted()
    {
        ++i_; // opening quote
        QString out;
        while (!atEnd()) {
            QChar c = s_.at(i_++);
            if (c == u'"')
                return out;
            if (c != u'\\') {
                out.append(c);
                continue;
            }
            if (atEnd())
                break;
            c = s_.at(i_++);
            switch (c.unicode()) {
            case 'n':
                out.append(u'\n');
                break;
            case 't':
                out.append(u'\t');
                break;
            case 'r':
                out.append(u'\r');
                break;
            case 'U':
            case 'u': {
                bool ok = false;
                const uint code = s_.mid(i_, 4).toUInt(&ok, 16);
                if (!ok)
                    return std::nullopt;
                out.append(QChar(char16_t(code)));
                i_ += 4;
                break;
            }
            default:
                out.append(c);
                break;
            }
        }
        return std::nullopt; // unterminated string
    }

    const QString& s_;
    qsizetype i_ = 0;
};

} // namespace

std::optional<Dictionary> parse(const QString& text)
{
    return Parser(text).run();
}

std::optional<Dictionary> fromData(const QByteArray& bytes)
{
    // Strings files come as UTF-8 or, with a byte-order mark, as UTF-16.
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2);
    else
        text = QString::fromUtf8(bytes);
    if (bytes.startsWith("\xFE\xFF")) {
        for (QChar& c : text)
            c = QChar(char16_t((c.unicode() >> 8) | (c.unicode() << 8)));
    }
    return parse(text);
}

std::optional<Dictionary> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromData(file.readAll());
}

} // namespace ns::StringsFile
