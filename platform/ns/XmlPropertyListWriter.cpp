// The XML form as the Mac and Python's plistlib lay it out: tab indentation,
// <dict/> and <array/> when empty, base64 data in lines that shorten with the
// indentation, dates to the second. One pass, appending to one buffer.

#include "platform/ns/PropertyListFormats.h"

#include <charconv>
#include <cstdio>

namespace ns::plist
{

namespace
{

constexpr char kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                           "<plist version=\"1.0\">\n";
constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Writes the UTF-8 of text from out, with &, < and > escaped and control
// characters other than tab and newline as character references, so that they
// read back unchanged; a lone surrogate, which has no UTF-8 form, becomes
// U+FFFD. Needs room for 6 bytes a UTF-16 unit; returns the new end.
char* escaped(const QString& text, char* out)
{
    const char16_t* s = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t c = s[i];
        if (c < 0x80) {
            if (c >= 0x20 && c != '&' && c != '<' && c != '>') {
                *out++ = char(c);
            } else if (c == '\t' || c == '\n') {
                *out++ = char(c);
            } else {
                const char* entity = c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : nullptr;
                char reference[8];
                if (!entity) {
                    std::snprintf(reference, sizeof reference, "&#%u;", unsigned(c));
                    entity = reference;
                }
                for (; *entity; ++entity)
                    *out++ = *entity;
            }
            continue;
        }
        char32_t code = c;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            code = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            code = 0xFFFD;
        if (code < 0x800) {
            *out++ = char(0xC0 | (code >> 6));
        } else if (code < 0x10000) {
            *out++ = char(0xE0 | (code >> 12));
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
        } else {
            *out++ = char(0xF0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3F));
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
        }
        *out++ = char(0x80 | (code & 0x3F));
    }
    return out;
}

class Writer
{
public:
    explicit Writer(OutputBuffer& out) : out_(out) {}

    bool run(const Value& root)
    {
        out_.append(kHeader);
        if (!value(root, 0))
            return false;
        out_.append("</plist>\n");
        return true;
    }

private:
    void line(int level, const char* text)
    {
        out_.append('\t', level);
        out_.append(text);
        out_.append('\n');
    }

    void open(int level, const char* name)
    {
        out_.append('\t', level);
        out_.append('<');
        out_.append(name);
        out_.append('>');
    }

    void close(const char* name)
    {
        out_.append("</");
        out_.append(name);
        out_.append(">\n");
    }

    void element(int level, const char* name, const QString& text)
    {
        open(level, name);
        out_.commit(escaped(text, out_.room(6 * text.size())));
        close(name);
    }

    void element(int level, const char* name, const char* text, qsizetype length)
    {
        open(level, name);
        out_.append(text, length);
        close(name);
    }

    void integer(int level, qint64 n)
    {
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, n);
        element(level, "integer", digits, result.ptr - digits);
    }

    void real(int level, double r)
    {
        char digits[32];
        const auto result = std::to_chars(digits, digits + sizeof digits, r);
        element(level, "real", digits, result.ptr - digits);
    }

    void date(int level, qint64 ms)
    {
        const CivilTime t = civilTimeFromMs(ms);
        char text[32];
        const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month,
                                         t.day, t.hour, t.minute, t.second);
        element(level, "date", text, length);
    }

    void data(int level, const QByteArray& bytes)
    {
        line(level, "<data>");
        const qsizetype lineLength = std::max(16, 76 - 8 * level);
        const qsizetype chunk = lineLength / 4 * 3;
        const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
        for (qsizetype start = 0; start < bytes.size(); start += chunk) {
            out_.append('\t', level);
            const qsizetype end = std::min(bytes.size(), start + chunk);
            char* out = out_.room(lineLength + 1);
            qsizetype i = start;
            for (; i + 3 <= end; i += 3) {
                const quint32 bits = quint32(b[i]) << 16 | quint32(b[i + 1]) << 8 | b[i + 2];
                *out++ = kBase64[bits >> 18];
                *out++ = kBase64[(bits >> 12) & 63];
                *out++ = kBase64[(bits >> 6) & 63];
                *out++ = kBase64[bits & 63];
            }
            if (end - i == 1) {
                *out++ = kBase64[b[i] >> 2];
                *out++ = kBase64[(b[i] & 3) << 4];
                *out++ = '=';
                *out++ = '=';
            } else if (end - i == 2) {
                const quint32 bits = quint32(b[i]) << 8 | b[i + 1];
                *out++ = kBase64[bits >> 10];
                *out++ = kBase64[(bits >> 4) & 63];
                *out++ = kBase64[(bits & 15) << 2];
                *out++ = '=';
            }
            *out++ = '\n';
            out_.commit(out);
        }
        line(level, "</data>");
    }

    // level: how many containers enclose the value (none for the root).
    bool value(const Value& v, int level)
    {
        switch (v.type()) {
        case Value::Type::Null:
            return false;
        case Value::Type::Boolean:
            line(level, v.boolValue() ? "<true/>" : "<false/>");
            return true;
        case Value::Type::Integer:
            integer(level, v.longLongValue());
            return true;
        case Value::Type::Real:
            real(level, v.doubleValue());
            return true;
        case Value::Type::String:
            element(level, "string", v.toString());
            return true;
        case Value::Type::Date: {
            const std::optional<qint64> ms = writableDateMs(v.toDate());
            if (ms)
                date(level, *ms);
            return ms.has_value();
        }
        case Value::Type::Data:
            data(level, v.toData());
            return true;
        case Value::Type::Uid:
            line(level, "<dict>");
            element(level + 1, "key", "CF$UID", 6);
            integer(level + 1, v.toUid().value);
            line(level, "</dict>");
            return true;
        case Value::Type::Array: {
            const Array array = v.toArray();
            if (level >= kMaxDepth)
                return false;
            if (array.isEmpty()) {
                line(level, "<array/>");
                return true;
            }
            line(level, "<array>");
            for (const Value& item : array)
                if (!value(item, level + 1))
                    return false;
            line(level, "</array>");
            return true;
        }
        case Value::Type::Dictionary: {
            const Dictionary dictionary = v.toDictionary();
            if (level >= kMaxDepth)
                return false;
            if (dictionary.isEmpty()) {
                line(level, "<dict/>");
                return true;
            }
            line(level, "<dict>");
            for (const auto& [key, item] : dictionary) {
                element(level + 1, "key", key);
                if (!value(item, level + 1))
                    return false;
            }
            line(level, "</dict>");
            return true;
        }
        }
        return false;
    }

    OutputBuffer& out_;
};

} // namespace

bool writeXml(const Value& value, OutputBuffer& out)
{
    return Writer(out).run(value);
}

} // namespace ns::plist
