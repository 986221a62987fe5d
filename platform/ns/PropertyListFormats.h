#pragma once

// What the readers and writers of the two property-list forms share. Used by
// PropertyList.cpp only; the public interface is PropertyList.h.

#include "platform/ns/Value.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

namespace ns::plist
{

// Containers nest at most this deep: deeper files are refused, and values
// nesting deeper (as a container that holds itself does) are not written.
constexpr int kMaxDepth = 512;

// Dates are read and written from 0001-01-01T00:00:00Z to 9999-12-31T23:59:59.999Z,
// the years an XML date can spell; here as milliseconds since 1970-01-01T00:00:00Z.
constexpr qint64 kFirstDateMs = -62135596800000;
constexpr qint64 kLastDateMs = 253402300799999;
// 2001-01-01T00:00:00Z, from which the binary form counts its seconds.
constexpr qint64 kReferenceDateMs = 978307200000;

struct CivilTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Proleptic Gregorian calendar in UTC, as Python's datetime and QDate count.
qint64 msFromCivilTime(const CivilTime& time);
// The civil time of ms, to the second below it.
CivilTime civilTimeFromMs(qint64 ms);
QDateTime dateFromMs(qint64 ms);
// The milliseconds of a date value that can be written; nullopt when it is
// invalid or outside the years 1 to 9999.
std::optional<qint64> writableDateMs(const QDateTime& date);

// The bytes a writer produces, written through raw pointers into room made
// in large steps (appending a byte at a time to a QByteArray costs more than
// the rest of writing). With a sink, the bytes are handed on in chunks as they
// come (to a file), so that the whole output is never held at once.
class OutputBuffer
{
public:
    using Sink = std::function<bool(QByteArrayView)>;

    OutputBuffer() = default;
    explicit OutputBuffer(Sink sink) : sink_(std::move(sink)) {}

    // Room for at least n more bytes, at the end of what is written.
    char* room(qsizetype n)
    {
        if (sink_ && used_ > 0 && used_ + n > kChunkSize)
            handOn();
        if (used_ + n > bytes_.size())
            bytes_.resize(std::max(2 * bytes_.size(), used_ + n + 4096));
        return bytes_.data() + used_;
    }
    // Everything up to end (within the last room) is written.
    void commit(const char* end) { used_ = end - bytes_.constData(); }
    void append(const char* bytes, qsizetype n)
    {
        std::memcpy(room(n), bytes, size_t(n));
        used_ += n;
    }
    void append(const char* text) { append(text, qsizetype(std::strlen(text))); }
    void append(char c, qsizetype n = 1)
    {
        std::memset(room(n), c, size_t(n));
        used_ += n;
    }
    // How many bytes were written in all.
    qint64 size() const { return handedOn_ + used_; }

    // Without a sink: the bytes written.
    QByteArray take()
    {
        bytes_.resize(used_);
        return std::move(bytes_);
    }
    // With a sink: hands on the rest; false when the sink refused any chunk.
    bool finish()
    {
        handOn();
        return !sinkFailed_;
    }

private:
    static constexpr qsizetype kChunkSize = 256 * 1024;

    void handOn()
    {
        if (!sinkFailed_ && used_ > 0)
            sinkFailed_ = !sink_(QByteArrayView(bytes_.constData(), used_));
        handedOn_ += used_;
        used_ = 0;
    }

    QByteArray bytes_;
    qsizetype used_ = 0;
    qint64 handedOn_ = 0;
    Sink sink_;
    bool sinkFailed_ = false;
};

// Each reader returns nullopt and a one-line reason on anything it refuses.
std::optional<Value> readXml(QByteArrayView bytes, QString* error);
std::optional<Value> readBinary(QByteArrayView bytes, QString* error);
// Each writer returns false when the value cannot be written: it holds a null,
// a date it cannot spell, or nests deeper than kMaxDepth; what it wrote to out
// is then to be thrown away.
bool writeXml(const Value& value, OutputBuffer& out);
bool writeBinary(const Value& value, OutputBuffer& out);

} // namespace ns::plist
