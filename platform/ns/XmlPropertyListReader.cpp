// A strict reader of the XML property-list dialect: an optional byte-order
// mark, the XML declaration, comments, processing instructions and a DOCTYPE
// before a <plist> element (or a bare value) holding one value. Text is UTF-8
// and may use the five predefined entities, character references, comments and
// CDATA sections. Values are built as the document is read, so no second copy
// of the tree is ever alive.

#include "platform/ns/PropertyListFormats.h"

#include <charconv>
#include <cstring>
#include <deque>
#include <limits>
#include <string>
#include <vector>

namespace ns::plist
{

namespace
{

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const char* text, qsizetype length)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    const auto* end = s + length;
    while (s < end) {
        // Runs of ASCII, eight bytes at a time.
        while (end - s >= 8) {
            quint64 chunk;
            std::memcpy(&chunk, s, 8);
            if (chunk & 0x8080808080808080ULL)
                break;
            s += 8;
        }
        if (s == end)
            break;
        const unsigned char c = *s;
        if (c < 0x80) {
            ++s;
            continue;
        }
        int extra;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - s <= extra || s[1] < low || s[1] > high)
            return false;
        for (int i = 2; i <= extra; ++i)
            if ((s[i] & 0xC0) != 0x80)
                return false;
        s += extra + 1;
    }
    return true;
}

// The string of valid UTF-8 text. (QString::fromUtf8 drops a leading U+FEFF
// as a byte-order mark; in a string it is a character like any other.)
QString fromUtf8(std::string_view text)
{
    qsizetype marks = 0;
    while (text.substr(size_t(marks) * 3, 3) == "\xEF\xBB\xBF")
        ++marks;
    const QString rest = QString::fromUtf8(text.data() + marks * 3, qsizetype(text.size()) - marks * 3);
    return marks == 0 ? rest : QString(marks, QChar(0xFEFF)) + rest;
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<qint64> parseInteger(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    quint64 magnitude = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || status != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    if (magnitude > limit)
        return std::nullopt;
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

std::optional<double> parseReal(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || status != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "YYYY-MM-DDTHH:MM:SSZ".
std::optional<qint64> parseDate(std::string_view text)
{
    text = trimmed(text);
    static constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != kShape.size())
        return std::nullopt;
    for (size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i])
            return std::nullopt;
    }
    auto number = [&](size_t at, size_t length) {
        int n = 0;
        for (size_t i = at; i < at + length; ++i)
            n = n * 10 + (text[i] - '0');
        return n;
    };
    CivilTime t{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
    static constexpr int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > kDaysInMonth[t.month - 1] ||
        t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    if (t.month == 2 && t.day == 29 && !leap)
        return std::nullopt;
    return msFromCivilTime(t);
}

int base64Digit(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// Base64 with white space anywhere; the padding may be left out.
std::optional<QByteArray> parseBase64(std::string_view text)
{
    QByteArray out;
    out.reserve(qsizetype(text.size() / 4 * 3 + 3));
    quint32 bits = 0;
    int count = 0;
    int padding = 0;
    for (const char c : text) {
        if (isSpace(c))
            continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int digit = base64Digit(c);
        if (digit < 0 || padding > 0)
            return std::nullopt;
        bits = (bits << 6) | quint32(digit);
        if (++count == 4) {
            out.append(char(bits >> 16)).append(char(bits >> 8)).append(char(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 1 || padding > 2 || (padding > 0 && count + padding != 4))
        return std::nullopt;
    if (count == 2)
        out.append(char(bits >> 4));
    else if (count == 3)
        out.append(char(bits >> 10)).append(char(bits >> 2));
    return out;
}

class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : begin_(bytes.data()), p_(begin_), end_(begin_ + bytes.size()) {}

    std::optional<Value> run(QString* error)
    {
        std::optional<Value> root = document();
        if (!root && error)
            *error = QStringLiteral("%1 at byte %2").arg(QString::fromLatin1(error_)).arg(p_ - begin_);
        return root;
    }

private:
    struct Tag {
        std::string_view name;
        bool empty = false; // <name/>
    };
    // A key of the dictionary read last at some level: the next dictionary
    // there usually has the same keys in the same order, which then share
    // their strings instead of each holding a copy.
    struct RecentKey {
        std::string_view bytes;
        QString key;
    };

    // Notes the first reason for refusing the document.
    std::nullopt_t fail(const char* reason)
    {
        if (!error_)
            error_ = reason;
        return std::nullopt;
    }
    bool refuse(const char* reason)
    {
        fail(reason);
        return false;
    }

    bool startsWith(std::string_view text) const
    {
        return size_t(end_ - p_) >= text.size() && std::memcmp(p_, text.data(), text.size()) == 0;
    }

    // Moves past the first occurrence of terminator; false when there is none.
    bool skipPast(std::string_view terminator)
    {
        const std::string_view rest(p_, size_t(end_ - p_));
        const size_t at = rest.find(terminator);
        if (at == std::string_view::npos)
            return false;
        p_ += at + terminator.size();
        return true;
    }

    void skipSpace()
    {
        while (p_ < end_ && isSpace(*p_))
            ++p_;
    }

    // White space, comments and processing instructions between elements.
    bool skipMisc()
    {
        for (;;) {
            skipSpace();
            if (startsWith("<!--")) {
                if (!skipComment())
                    return refuse("unterminated comment");
            } else if (startsWith("<?")) {
                if (!processingInstruction())
                    return false;
            } else {
                return true;
            }
        }
    }

    // Moves past the comment at p_.
    bool skipComment()
    {
        p_ += 4; // "<!--"
        return skipPast("-->");
    }

    bool processingInstruction()
    {
        p_ += 2; // "<?"
        const char* start = p_;
        if (!skipPast("?>"))
            return refuse("unterminated processing instruction");
        const std::string_view pi(start, size_t(p_ - 2 - start));
        if (pi.substr(0, 3) != "xml" || (pi.size() > 3 && !isSpace(pi[3])))
            return true;
        // The XML declaration: only UTF-8 (or its subset ASCII) is read.
        const size_t at = pi.find("encoding");
        if (at == std::string_view::npos)
            return true;
        std::string_view rest = pi.substr(at + 8);
        while (!rest.empty() && (isSpace(rest.front()) || rest.front() == '='))
            rest.remove_prefix(1);
        if (rest.empty() || (rest.front() != '"' && rest.front() != '\''))
            return refuse("malformed XML declaration");
        const size_t close = rest.find(rest.front(), 1);
        if (close == std::string_view::npos)
            return refuse("malformed XML declaration");
        QByteArray encoding(rest.data() + 1, qsizetype(close - 1));
        encoding = encoding.toLower();
        if (encoding != "utf-8" && encoding != "utf8" && encoding != "us-ascii")
            return refuse("not UTF-8");
        return true;
    }

    bool doctype()
    {
        p_ += 9; // "<!DOCTYPE"
        char quote = 0;
        int brackets = 0;
        for (; p_ < end_; ++p_) {
            const char c = *p_;
            if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                ++p_;
                return true;
            }
        }
        return refuse("unterminated DOCTYPE");
    }

    std::optional<Value> document()
    {
        if (startsWith("\xEF\xBB\xBF"))
            p_ += 3;
        for (;;) {
            if (!skipMisc())
                return std::nullopt;
            if (!startsWith("<!DOCTYPE"))
                break;
            if (!doctype())
                return std::nullopt;
        }
        std::optional<Tag> tag = startTag();
        if (!tag)
            return std::nullopt;
        std::optional<Value> root;
        if (tag->name == "plist") {
            if (tag->empty)
                return fail("empty plist element");
            if (!skipMisc())
                return std::nullopt;
            std::optional<Tag> inner = startTag();
            if (!inner || !(root = value(*inner, 0)) || !skipMisc() || !endTag("plist"))
                return fail("malformed plist element");
        } else if (!(root = value(*tag, 0))) {
            return std::nullopt;
        }
        if (!skipMisc())
            return std::nullopt;
        if (p_ != end_)
            return fail("content after the property list");
        return root;
    }

    std::optional<Tag> startTag()
    {
        if (p_ >= end_ || *p_ != '<')
            return fail("expected an element");
        ++p_;
        const char* name = p_;
        while (p_ < end_ && isNameChar(*p_))
            ++p_;
        Tag tag{std::string_view(name, size_t(p_ - name))};
        if (tag.name.empty())
            return fail("expected an element name");
        // Attributes are skipped.
        char quote = 0;
        for (; p_ < end_; ++p_) {
            const char c = *p_;
            if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '<') {
                break;
            } else if (c == '>') {
                tag.empty = p_[-1] == '/';
                ++p_;
                return tag;
            }
        }
        return fail("unterminated start tag");
    }

    bool endTag(std::string_view name)
    {
        if (!startsWith("</"))
            return refuse("expected an end tag");
        p_ += 2;
        if (size_t(end_ - p_) < name.size() || std::memcmp(p_, name.data(), name.size()) != 0)
            return refuse("mismatched end tag");
        p_ += name.size();
        skipSpace();
        if (p_ >= end_ || *p_ != '>')
            return refuse("mismatched end tag");
        ++p_;
        return true;
    }

    bool entity(std::string& out)
    {
        const char* semicolon =
            static_cast<const char*>(std::memchr(p_, ';', size_t(std::min<qsizetype>(end_ - p_, 12))));
        if (!semicolon)
            return refuse("malformed entity");
        const std::string_view name(p_ + 1, size_t(semicolon - p_ - 1));
        p_ = semicolon + 1;
        if (name == "lt")
            out += '<';
        else if (name == "gt")
            out += '>';
        else if (name == "amp")
            out += '&';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            quint32 code = 0;
            const auto [end, status] =
                std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            if (digits.empty() || status != std::errc() || end != digits.data() + digits.size() ||
                code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return refuse("malformed character reference");
            appendUtf8(out, char32_t(code));
        } else {
            return refuse("unknown entity");
        }
        return true;
    }

    // The text of an element up to its end tag, with entities, CDATA sections
    // and comments resolved; raw is set when the text is the bytes of the file
    // unchanged (then scratch is not used).
    std::optional<std::string_view> text(const Tag& tag, std::string& scratch, bool* raw = nullptr)
    {
        if (raw)
            *raw = true;
        if (tag.empty)
            return std::string_view();
        const char* start = p_;
        const char* lt = static_cast<const char*>(std::memchr(p_, '<', size_t(end_ - p_)));
        if (!lt)
            return fail("unterminated element");
        if (!std::memchr(start, '&', size_t(lt - start)) && lt + 1 < end_ && lt[1] == '/') {
            p_ = lt;
            if (!endTag(tag.name))
                return std::nullopt;
            return std::string_view(start, size_t(lt - start));
        }
        if (raw)
            *raw = false;
        scratch.clear();
        for (;;) {
            if (p_ >= end_)
                return fail("unterminated element");
            const char c = *p_;
            if (c == '&') {
                if (!entity(scratch))
                    return std::nullopt;
            } else if (c != '<') {
                scratch += c;
                ++p_;
            } else if (startsWith("<!--")) {
                if (!skipComment())
                    return fail("unterminated comment");
            } else if (startsWith("<![CDATA[")) {
                p_ += 9;
                const char* content = p_;
                if (!skipPast("]]>"))
                    return fail("unterminated CDATA section");
                scratch.append(content, size_t(p_ - 3 - content));
            } else if (endTag(tag.name)) {
                return std::string_view(scratch);
            } else {
                return std::nullopt;
            }
        }
    }

    std::optional<QString> string(const Tag& tag)
    {
        std::optional<std::string_view> t = text(tag, scratch_);
        if (!t)
            return std::nullopt;
        if (!isValidUtf8(t->data(), qsizetype(t->size())))
            return fail("invalid UTF-8");
        return fromUtf8(*t);
    }

    std::optional<QString> key(const Tag& tag, int level, size_t index)
    {
        bool raw = false;
        std::optional<std::string_view> t = text(tag, scratch_, &raw);
        if (!t)
            return std::nullopt;
        if (recentKeys_.size() <= size_t(level))
            recentKeys_.resize(size_t(level) + 1);
        std::vector<RecentKey>& recent = recentKeys_[size_t(level)];
        if (raw && index < recent.size() && recent[index].bytes == *t)
            return recent[index].key;
        if (!isValidUtf8(t->data(), qsizetype(t->size())))
            return fail("invalid UTF-8");
        QString k = fromUtf8(*t);
        if (raw) {
            recent.resize(index + 1);
            recent[index] = RecentKey{*t, k};
        }
        return k;
    }

    // level: how many containers enclose the value (none for the root).
    std::optional<Value> value(const Tag& tag, int level)
    {
        const std::string_view name = tag.name;
        if (name == "dict")
            return dictionary(tag, level);
        if (name == "array")
            return array(tag, level);
        if (name == "string") {
            std::optional<QString> s = string(tag);
            return s ? std::optional<Value>(std::move(*s)) : std::nullopt;
        }
        if (name == "true" || name == "false") {
            std::optional<std::string_view> t = text(tag, scratch_);
            if (!t || !t->empty())
                return fail("content in a boolean");
            return Value(name == "true");
        }
        std::optional<std::string_view> t = text(tag, scratch_);
        if (!t)
            return std::nullopt;
        if (name == "integer") {
            const std::optional<qint64> n = parseInteger(*t);
            return n ? std::optional<Value>(Value(*n)) : fail("malformed integer");
        }
        if (name == "real") {
            const std::optional<double> r = parseReal(*t);
            return r ? std::optional<Value>(Value(*r)) : fail("malformed real");
        }
        if (name == "date") {
            const std::optional<qint64> ms = parseDate(*t);
            return ms ? std::optional<Value>(Value(dateFromMs(*ms))) : fail("malformed date");
        }
        if (name == "data") {
            std::optional<QByteArray> d = parseBase64(*t);
            return d ? std::optional<Value>(Value(*d)) : fail("malformed data");
        }
        return fail("unknown element");
    }

    // The values of a container, gathered at its level before the container
    // is made with room for exactly them. (A deque: the lists of outer levels
    // stay where they are while deeper ones are added.)
    template <typename T> std::vector<T>& gathered(std::deque<std::vector<T>>& perLevel, int level)
    {
        if (perLevel.size() <= size_t(level))
            perLevel.resize(size_t(level) + 1);
        return perLevel[size_t(level)];
    }

    std::optional<Value> array(const Tag& tag, int level)
    {
        if (level >= kMaxDepth)
            return fail("nested too deeply");
        if (tag.empty)
            return Value(Array());
        std::vector<Value>& items = gathered(items_, level);
        items.clear();
        for (;;) {
            if (!skipMisc())
                return std::nullopt;
            if (startsWith("</"))
                break;
            std::optional<Tag> inner = startTag();
            if (!inner)
                return std::nullopt;
            std::optional<Value> item = value(*inner, level + 1);
            if (!item)
                return std::nullopt;
            items.push_back(std::move(*item));
        }
        if (!endTag("array"))
            return std::nullopt;
        Array result;
        result.reserve(int(items.size()));
        for (Value& item : items)
            result.append(std::move(item));
        items.clear();
        return Value(result);
    }

    std::optional<Value> dictionary(const Tag& tag, int level)
    {
        if (level >= kMaxDepth)
            return fail("nested too deeply");
        if (tag.empty)
            return Value(Dictionary());
        std::vector<Dictionary::Entry>& entries = gathered(entries_, level);
        entries.clear();
        for (size_t index = 0;; ++index) {
            if (!skipMisc())
                return std::nullopt;
            if (startsWith("</"))
                break;
            std::optional<Tag> keyTag = startTag();
            if (!keyTag)
                return std::nullopt;
            if (keyTag->name != "key")
                return fail("expected a key");
            std::optional<QString> k = key(*keyTag, level, index);
            if (!k || !skipMisc())
                return std::nullopt;
            std::optional<Tag> valueTag = startTag();
            if (!valueTag)
                return fail("a key without a value");
            std::optional<Value> v = value(*valueTag, level + 1);
            if (!v)
                return std::nullopt;
            entries.emplace_back(std::move(*k), std::move(*v));
        }
        if (!endTag("dict"))
            return std::nullopt;
        Dictionary result;
        result.reserve(int(entries.size()));
        for (const Dictionary::Entry& entry : entries)
            result.setValue(entry.first, entry.second);
        entries.clear();
        return uidOrDictionary(result);
    }

    // <dict><key>CF$UID</key><integer>N</integer></dict> is how a UID is written.
    static Value uidOrDictionary(const Dictionary& d)
    {
        if (d.count() == 1 && d.begin()->first == QLatin1String("CF$UID")) {
            const Value& n = d.begin()->second;
            if (n.type() == Value::Type::Integer && n.longLongValue() >= 0 &&
                n.longLongValue() <= std::numeric_limits<quint32>::max())
                return Value(Uid{quint32(n.longLongValue())});
        }
        return Value(d);
    }

    const char* begin_;
    const char* p_;
    const char* end_;
    const char* error_ = nullptr;
    std::string scratch_;
    std::vector<std::vector<RecentKey>> recentKeys_;
    std::deque<std::vector<Value>> items_;
    std::deque<std::vector<Dictionary::Entry>> entries_;
};

} // namespace

std::optional<Value> readXml(QByteArrayView bytes, QString* error)
{
    return Reader(bytes).run(error);
}

} // namespace ns::plist
