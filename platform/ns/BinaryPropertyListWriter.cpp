// The binary form ("bplist00", laid out in BinaryPropertyListReader.cpp),
// written as Python's plistlib writes it: objects numbered depth first (a
// dictionary's keys before its values), equal strings, numbers, dates, data and
// UIDs written once, containers each on their own, references and offsets as
// narrow as their largest value allows.

#include "platform/ns/PropertyListFormats.h"

#include <QHash>

#include <cstring>
#include <vector>

namespace ns::plist
{

namespace
{

// One object of the file: a value, or the string of a dictionary key. A
// container's references are children_[firstChild...], keys before values.
struct Object {
    const Value* value = nullptr;
    const QString* key = nullptr;
    size_t firstChild = 0;
};

int byteWidth(quint64 largest)
{
    return largest < (1u << 8) ? 1 : largest < (1u << 16) ? 2 : largest < (quint64(1) << 32) ? 4 : 8;
}

// n of a width of 2^n bytes.
int widthPower(int width)
{
    return width == 1 ? 0 : width == 2 ? 1 : width == 4 ? 2 : 3;
}

// Whether a string has only ASCII characters (written one byte each).
bool isAscii(const QString& s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

class Writer
{
public:
    explicit Writer(OutputBuffer& out) : out_(out) {}

    bool run(const Value& root)
    {
        if (!flatten(root, 0))
            return false;
        refSize_ = byteWidth(objects_.size());
        out_.append("bplist00");
        std::vector<quint64> offsets;
        offsets.reserve(objects_.size());
        for (const Object& o : objects_) {
            offsets.push_back(quint64(out_.size()));
            write(o);
        }
        const quint64 tableOffset = quint64(out_.size());
        const int offsetSize = byteWidth(tableOffset);
        for (const quint64 offset : offsets)
            number(offset, offsetSize);
        out_.append('\0', 6);
        out_.append(char(offsetSize));
        out_.append(char(refSize_));
        number(objects_.size(), 8);
        number(0, 8); // the top object
        number(tableOffset, 8);
        return true;
    }

private:
    // The object number of a scalar: the one of an equal scalar seen before, or
    // the next one (then *fresh is set).
    template <typename Key> quint64 numberOf(QHash<Key, quint64>& seen, const Key& key, bool* fresh)
    {
        const auto it = seen.constFind(key);
        *fresh = it == seen.cend();
        if (!*fresh)
            return it.value();
        const quint64 n = quint64(objects_.size());
        seen.insert(key, n);
        return n;
    }

    quint64 addKey(const QString& key)
    {
        bool fresh = false;
        const quint64 n = numberOf(strings_, key, &fresh);
        if (fresh)
            objects_.push_back({nullptr, &key, 0});
        return n;
    }

    // Numbers v and everything it holds; nullopt when v cannot be written.
    std::optional<quint64> flatten(const Value& v, int level)
    {
        bool fresh = true;
        quint64 n = quint64(objects_.size());
        switch (v.type()) {
        case Value::Type::Null:
            return std::nullopt;
        case Value::Type::Boolean:
            n = numberOf(bools_, v.boolValue(), &fresh);
            break;
        case Value::Type::Integer:
            n = numberOf(integers_, v.longLongValue(), &fresh);
            break;
        case Value::Type::Real:
            n = numberOf(reals_, realBits(v.doubleValue()), &fresh);
            break;
        case Value::Type::String:
            n = numberOf(strings_, v.toString(), &fresh);
            break;
        case Value::Type::Date: {
            const std::optional<qint64> ms = writableDateMs(v.toDate());
            if (!ms)
                return std::nullopt;
            n = numberOf(dates_, *ms, &fresh);
            break;
        }
        case Value::Type::Data:
            n = numberOf(data_, v.toData(), &fresh);
            break;
        case Value::Type::Uid:
            n = numberOf(uids_, v.toUid().value, &fresh);
            break;
        case Value::Type::Array:
        case Value::Type::Dictionary:
            if (level >= kMaxDepth)
                return std::nullopt;
            break;
        }
        if (!fresh)
            return n;
        objects_.push_back({&v, nullptr, children_.size()});
        if (v.isArray()) {
            const Array a = v.toArray();
            size_t slot = children_.size();
            children_.resize(slot + size_t(a.count()));
            for (const Value& item : a) {
                const std::optional<quint64> child = flatten(item, level + 1);
                if (!child)
                    return std::nullopt;
                children_[slot++] = *child;
            }
        } else if (v.isDictionary()) {
            const Dictionary d = v.toDictionary();
            size_t slot = children_.size();
            children_.resize(slot + 2 * size_t(d.count()));
            for (const auto& entry : d)
                children_[slot++] = addKey(entry.first);
            for (const auto& entry : d) {
                const std::optional<quint64> child = flatten(entry.second, level + 1);
                if (!child)
                    return std::nullopt;
                children_[slot++] = *child;
            }
        }
        return n;
    }

    static quint64 realBits(double r)
    {
        quint64 bits;
        std::memcpy(&bits, &r, sizeof bits);
        return bits;
    }

    void number(quint64 n, int width)
    {
        char* out = out_.room(width);
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
            *out++ = char(n >> shift);
        out_.commit(out);
    }

    void marker(int type, quint64 count)
    {
        if (count < 15) {
            out_.append(char(type << 4 | int(count)));
            return;
        }
        const int width = byteWidth(count);
        out_.append(char(type << 4 | 0x0F));
        out_.append(char(0x10 | widthPower(width)));
        number(count, width);
    }

    void float64(double r) { number(realBits(r), 8); }

    // ASCII in one byte a character, anything else as UTF-16BE (a lone
    // surrogate as U+FFFD, as the XML form writes it).
    void string(const QString& s)
    {
        const char16_t* u = reinterpret_cast<const char16_t*>(s.constData());
        if (isAscii(s)) {
            marker(0x5, quint64(s.size()));
            char* out = out_.room(s.size());
            for (qsizetype i = 0; i < s.size(); ++i)
                *out++ = char(u[i]);
            out_.commit(out);
            return;
        }
        marker(0x6, quint64(s.size()));
        for (qsizetype i = 0; i < s.size(); ++i) {
            char16_t c = u[i];
            const bool high = c >= 0xD800 && c <= 0xDBFF;
            const bool low = c >= 0xDC00 && c <= 0xDFFF;
            const bool paired = high ? i + 1 < s.size() && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF
                                     : low && i > 0 && u[i - 1] >= 0xD800 && u[i - 1] <= 0xDBFF;
            if ((high || low) && !paired)
                c = 0xFFFD;
            number(c, 2);
        }
    }

    void write(const Object& o)
    {
        if (o.key) {
            string(*o.key);
            return;
        }
        const Value& v = *o.value;
        switch (v.type()) {
        case Value::Type::Null:
            break;
        case Value::Type::Boolean:
            out_.append(char(v.boolValue() ? 0x09 : 0x08));
            break;
        case Value::Type::Integer: {
            const qint64 n = v.longLongValue();
            const int width = n < 0 ? 8 : byteWidth(quint64(n));
            out_.append(char(0x10 | widthPower(width)));
            number(quint64(n), width);
            break;
        }
        case Value::Type::Real:
            out_.append(char(0x23));
            float64(v.doubleValue());
            break;
        case Value::Type::Date:
            out_.append(char(0x33));
            float64(double(*writableDateMs(v.toDate()) - kReferenceDateMs) / 1000.0);
            break;
        case Value::Type::Data: {
            const QByteArray d = v.toData();
            marker(0x4, quint64(d.size()));
            out_.append(d.constData(), d.size());
            break;
        }
        case Value::Type::String:
            string(v.toString());
            break;
        case Value::Type::Uid: {
            const quint32 n = v.toUid().value;
            const int width = byteWidth(n);
            out_.append(char(0x80 | (width - 1)));
            number(n, width);
            break;
        }
        case Value::Type::Array:
        case Value::Type::Dictionary: {
            const int count = v.isArray() ? v.toArray().count() : v.toDictionary().count();
            marker(v.isArray() ? 0xA : 0xD, quint64(count));
            const size_t refs = size_t(count) * (v.isArray() ? 1 : 2);
            for (size_t i = 0; i < refs; ++i)
                number(children_[o.firstChild + i], refSize_);
            break;
        }
        }
    }

    std::vector<Object> objects_;
    std::vector<quint64> children_;
    QHash<bool, quint64> bools_;
    QHash<qint64, quint64> integers_;
    QHash<quint64, quint64> reals_;
    QHash<QString, quint64> strings_;
    QHash<qint64, quint64> dates_;
    QHash<QByteArray, quint64> data_;
    QHash<quint32, quint64> uids_;
    int refSize_ = 1;
    OutputBuffer& out_;
};

} // namespace

bool writeBinary(const Value& value, OutputBuffer& out)
{
    return Writer(out).run(value);
}

} // namespace ns::plist
