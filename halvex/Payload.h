#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace halvex
{

// The data of one outgoing record, laid out field by field: zero-filled,
// little-endian integers, texts as NUL-padded fixed-width fields that always
// keep a terminating NUL. A field that would not fit the payload is a
// programming error: it asserts, and is never written.
class Payload
{
public:
    explicit Payload(int size);

    Payload& setInt32(int offset, int32_t value);
    Payload& setByte(int offset, uint8_t value);
    // At most width - 1 bytes of the text's UTF-8 form.
    Payload& setText(int offset, int width, const QString& text);

    const QByteArray& bytes() const { return bytes_; }

private:
    bool fits(int offset, int width) const;

    QByteArray bytes_;
};

} // namespace halvex
