// A strict, bounds-checked reader of the binary form ("bplist00"):
//
//   header "bplist00", then the objects, then the offset table (one offset per
//   object, each offsetSize bytes), then a 32-byte trailer: 6 unused bytes,
//   offsetSize, refSize, object count (8 bytes), top object (8), offset table
//   offset (8); all numbers big-endian.
//
// An object starts with a marker byte, type in the high nibble, a count in the
// low one (15: the count follows as an integer object): 0x00 null, 0x08 false,
// 0x09 true, 0x1n integer of 2^n bytes, 0x2n real of 2^n bytes, 0x33 date
// (float64 seconds since 2001-01-01T00:00:00Z), 0x4n data, 0x5n ASCII string,
// 0x6n UTF-16BE string, 0x8n UID of n+1 bytes, 0xAn array and 0xCn set (n
// object references), 0xDn dictionary (n key references, then n value references).
//
// Every offset, reference and count is checked against the file before use; a
// container that (through others) holds itself, nesting deeper than kMaxDepth
// and references that would expand into a huge tree are refused. A null inside
// a container is left out, with a log line, as it could not be written back.

#include "platform/ns/PropertyListFormats.h"

#include <QHash>
#include <QtDebug>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace ns::plist
{

namespace
{

constexpr qsizetype kHeaderSize = 8;
constexpr qsizetype kTrailerSize = 32;
// References may share an object (equal strings are written once); a
// container referenced again is read again, up to this many values over the
// object count, so that a small file cannot expand into an enormous tree.
constexpr quint64 kMaxExtraValues = 1 << 20;

class Reader
{
public:
    explicit Reader(QByteArrayView bytes)
        : bytes_(reinterpret_cast<const uchar*>(bytes.data())), size_(quint64(bytes.size()))
    {
    }

    std::optional<Value> run(QString* error)
    {
        std::optional<Value> root = document();
        if (root && root->isNull())
            root = fail("the top object is null");
        if (!root && error)
            *error = QString::fromLatin1(error_);
        if (root && droppedNulls_ > 0)
            qWarning("Binary property list: %llu null values left out", droppedNulls_);
        return root;
    }

private:
    std::nullopt_t fail(const char* reason)
    {
        if (!error_)
            error_ = reason;
        return std::nullopt;
    }

    // A big-endian unsigned number of 1 to 8 bytes at offset (checked by the caller).
    quint64 number(quint64 offset, quint64 length) const
    {
        quint64 n = 0;
        for (quint64 i = 0; i < length; ++i)
            n = n << 8 | bytes_[offset + i];
        return n;
    }

    std::optional<Value> document()
    {
        if (size_ < quint64(kHeaderSize + kTrailerSize) + 1 || std::memcmp(bytes_, "bplist00", 8) != 0)
            return fail("not a binary property list");
        const quint64 trailer = size_ - kTrailerSize;
        offsetSize_ = bytes_[trailer + 6];
        refSize_ = bytes_[trailer + 7];
        objectCount_ = number(trailer + 8, 8);
        const quint64 top = number(trailer + 16, 8);
        tableOffset_ = number(trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8)
            return fail("bad offset or reference size");
        if (objectCount_ < 1 || top >= objectCount_)
            return fail("bad object count or top object");
        if (tableOffset_ <= quint64(kHeaderSize) || tableOffset_ > trailer ||
            objectCount_ > (trailer - tableOffset_) / offsetSize_)
            return fail("the offset table does not fit the file");
        onPath_.assign(objectCount_, false);
        valueBudget_ = objectCount_ + kMaxExtraValues;
        return object(top, 0);
    }

    // The start of object ref, within the objects area.
    std::optional<quint64> offsetOf(quint64 ref)
    {
        if (ref >= objectCount_)
            return fail("a reference past the last object");
        const quint64 offset = number(tableOffset_ + ref * offsetSize_, offsetSize_);
        if (offset < quint64(kHeaderSize) || offset >= tableOffset_)
            return fail("an object offset outside the objects");
        return offset;
    }

    // Whether length bytes from offset lie within the objects area.
    bool fits(quint64 offset, quint64 length) const
    {
        return offset <= tableOffset_ && length <= tableOffset_ - offset;
    }

    // The count of the object whose marker is at offset; *start is set past
    // the marker and any count integer.
    std::optional<quint64> count(quint64 offset, quint64* start)
    {
        const quint64 low = bytes_[offset] & 0x0F;
        *start = offset + 1;
        if (low != 0x0F)
            return low;
        if (!fits(offset + 1, 1))
            return fail("truncated count");
        const uchar marker = bytes_[offset + 1];
        if ((marker & 0xF0) != 0x10 || (marker & 0x0F) > 3)
            return fail("bad count marker");
        const quint64 length = quint64(1) << (marker & 0x0F);
        if (!fits(offset + 2, length))
            return fail("truncated count");
        *start = offset + 2 + length;
        return number(offset + 2, length);
    }

    // count elements of unit bytes from start, within the objects area.
    bool elementsFit(quint64 start, quint64 elements, quint64 unit)
    {
        if (start > tableOffset_ || elements > (tableOffset_ - start) / unit) {
            fail("an object runs past the objects");
            return false;
        }
        return true;
    }

    std::optional<Value> object(quint64 ref, int level)
    {
        if (valueBudget_ == 0)
            return fail("references expand into too many values");
        --valueBudget_;
        std::optional<quint64> offset = offsetOf(ref);
        if (!offset)
            return std::nullopt;
        const uchar marker = bytes_[*offset];
        switch (marker >> 4) {
        case 0x0:
            if (marker == 0x00)
                return Value();
            if (marker == 0x08 || marker == 0x09)
                return Value(marker == 0x09);
            return fail("unknown marker");
        case 0x1:
            return integer(*offset);
        case 0x2:
            return real(*offset);
        case 0x3:
            return date(*offset);
        case 0x4:
        case 0x5:
        case 0x6:
            return bytesObject(*offset);
        case 0x8:
            return uid(*offset);
        case 0xA:
        case 0xC:
        case 0xD:
            return container(ref, *offset, level);
        default:
            return fail("unknown marker");
        }
    }

    std::optional<Value> integer(quint64 offset)
    {
        const int power = bytes_[offset] & 0x0F;
        if (power > 4)
            return fail("bad integer size");
        const quint64 length = quint64(1) << power;
        if (!fits(offset + 1, length))
            return fail("truncated integer");
        if (length < 16) // 1, 2 and 4 bytes are unsigned, 8 bytes signed
            return Value(qint64(number(offset + 1, length)));
        // 16 bytes, signed: read when the value fits 64 bits.
        const quint64 high = number(offset + 1, 8);
        const quint64 low = number(offset + 9, 8);
        const bool negative = qint64(low) < 0;
        if (high != (negative ? std::numeric_limits<quint64>::max() : 0))
            return fail("an integer beyond 64 bits");
        return Value(qint64(low));
    }

    std::optional<double> float64(quint64 offset)
    {
        if (!fits(offset + 1, 8))
            return fail("truncated real");
        const quint64 bits = number(offset + 1, 8);
        double r;
        std::memcpy(&r, &bits, sizeof r);
        return r;
    }

    std::optional<Value> real(quint64 offset)
    {
        const uchar marker = bytes_[offset];
        if (marker == 0x23) {
            const std::optional<double> r = float64(offset);
            return r ? std::optional<Value>(Value(*r)) : std::nullopt;
        }
        if (marker != 0x22)
            return fail("bad real size");
        if (!fits(offset + 1, 4))
            return fail("truncated real");
        const quint32 bits = quint32(number(offset + 1, 4));
        float r;
        std::memcpy(&r, &bits, sizeof r);
        return Value(double(r));
    }

    std::optional<Value> date(quint64 offset)
    {
        if (bytes_[offset] != 0x33)
            return fail("bad date size");
        const std::optional<double> seconds = float64(offset);
        if (!seconds)
            return std::nullopt;
        // Rounded to the millisecond; the last millisecond of 9999 also takes
        // what rounding would carry into the year 10000.
        const double ms = *seconds * 1000.0;
        constexpr double kFirst = double(kFirstDateMs - kReferenceDateMs);
        constexpr double kLast = double(kLastDateMs - kReferenceDateMs);
        if (!(ms >= kFirst - 0.5 && ms < kLast + 1.0))
            return fail("a date outside the years 1 to 9999");
        const qint64 rounded = std::min(std::llround(ms), qint64(kLast));
        return Value(dateFromMs(std::max(rounded, qint64(kFirst)) + kReferenceDateMs));
    }

    std::optional<Value> bytesObject(quint64 offset)
    {
        const int type = bytes_[offset] >> 4;
        quint64 start = 0;
        const std::optional<quint64> n = count(offset, &start);
        if (!n || !elementsFit(start, *n, type == 0x6 ? 2 : 1))
            return std::nullopt;
        const char* chars = reinterpret_cast<const char*>(bytes_ + start);
        if (type == 0x4)
            return Value(QByteArray(chars, qsizetype(*n)));
        if (type == 0x5) {
            for (quint64 i = 0; i < *n; ++i)
                if (bytes_[start + i] >= 0x80)
                    return fail("a non-ASCII byte in an ASCII string");
            return Value(QString::fromLatin1(chars, qsizetype(*n)));
        }
        std::optional<QString> s = utf16(start, *n);
        return s ? std::optional<Value>(Value(*s)) : std::nullopt;
    }

    // units UTF-16BE code units from start, which must pair their surrogates.
    std::optional<QString> utf16(quint64 start, quint64 units)
    {
        QString s(qsizetype(units), Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(s.data());
        bool expectLow = false;
        for (quint64 i = 0; i < units; ++i) {
            const char16_t c = char16_t(bytes_[start + 2 * i] << 8 | bytes_[start + 2 * i + 1]);
            const bool high = c >= 0xD800 && c <= 0xDBFF;
            const bool low = c >= 0xDC00 && c <= 0xDFFF;
            if (low != expectLow)
                return fail("an unpaired surrogate");
            expectLow = high;
            out[i] = c;
        }
        if (expectLow)
            return fail("an unpaired surrogate");
        return s;
    }

    std::optional<Value> uid(quint64 offset)
    {
        const quint64 length = (bytes_[offset] & 0x0F) + 1;
        if (!fits(offset + 1, length))
            return fail("truncated UID");
        for (quint64 i = 0; i + 4 < length; ++i)
            if (bytes_[offset + 1 + i] != 0)
                return fail("a UID beyond 32 bits");
        const quint64 tail = std::min<quint64>(length, 4);
        return Value(Uid{quint32(number(offset + 1 + length - tail, tail))});
    }

    // Dictionary keys are strings, and the same key objects recur in every
    // record: each is read once and then shared.
    std::optional<QString> key(quint64 ref)
    {
        if (const auto hit = keys_.constFind(ref); hit != keys_.cend())
            return *hit;
        std::optional<quint64> offset = offsetOf(ref);
        if (!offset)
            return std::nullopt;
        const int type = bytes_[*offset] >> 4;
        if (type != 0x5 && type != 0x6)
            return fail("a dictionary key that is not a string");
        std::optional<Value> k = bytesObject(*offset);
        if (!k)
            return std::nullopt;
        keys_.insert(ref, k->toString());
        return k->toString();
    }

    std::optional<Value> container(quint64 ref, quint64 offset, int level)
    {
        if (level >= kMaxDepth)
            return fail("nested too deeply");
        if (onPath_[ref])
            return fail("a container that holds itself");
        const bool isDictionary = bytes_[offset] >> 4 == 0xD;
        quint64 start = 0;
        const std::optional<quint64> n = count(offset, &start);
        if (!n || !elementsFit(start, *n, refSize_ * (isDictionary ? 2 : 1)))
            return std::nullopt;
        onPath_[ref] = true;
        std::optional<Value> result = isDictionary ? dictionary(start, *n, level) : array(start, *n, level);
        onPath_[ref] = false;
        return result;
    }

    std::optional<Value> array(quint64 start, quint64 n, int level)
    {
        Array result;
        result.reserve(int(std::min<quint64>(n, valueBudget_)));
        for (quint64 i = 0; i < n; ++i) {
            std::optional<Value> item = object(number(start + i * refSize_, refSize_), level + 1);
            if (!item)
                return std::nullopt;
            if (item->isNull())
                ++droppedNulls_;
            else
                result.append(std::move(*item));
        }
        return Value(result);
    }

    std::optional<Value> dictionary(quint64 start, quint64 n, int level)
    {
        Dictionary result;
        result.reserve(int(std::min<quint64>(n, valueBudget_)));
        const quint64 values = start + n * refSize_;
        for (quint64 i = 0; i < n; ++i) {
            std::optional<QString> k = key(number(start + i * refSize_, refSize_));
            if (!k)
                return std::nullopt;
            std::optional<Value> item = object(number(values + i * refSize_, refSize_), level + 1);
            if (!item)
                return std::nullopt;
            if (item->isNull())
                ++droppedNulls_;
            else
                result.setValue(*k, *item);
        }
        return Value(result);
    }

    const uchar* bytes_;
    quint64 size_;
    quint64 offsetSize_ = 0;
    quint64 refSize_ = 0;
    quint64 objectCount_ = 0;
    quint64 tableOffset_ = 0;
    quint64 valueBudget_ = 0;
    quint64 droppedNulls_ = 0;
    std::vector<bool> onPath_;
    QHash<quint64, QString> keys_;
    const char* error_ = nullptr;
};

} // namespace

std::optional<Value> readBinary(QByteArrayView bytes, QString* error)
{
    return Reader(bytes).run(error);
}

} // namespace ns::plist
