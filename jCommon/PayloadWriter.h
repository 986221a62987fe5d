#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The data of one outgoing record, laid out field by field: zero-filled,
// little-endian integers, texts as NUL-padded fixed-width fields that always
// keep a terminating NUL. A field that would not fit the payload is a
// programming error: it asserts, and is never written.
class PayloadWriter
{
public:
    explicit PayloadWriter(int size);

    PayloadWriter& setInt32(int offset, int32_t value);
    PayloadWriter& setFloat32(int offset, float value);
    PayloadWriter& setByte(int offset, uint8_t value);
    // At most width - 1 bytes of the text's UTF-8 form, never ending inside a
    // character.
    PayloadWriter& setText(int offset, int width, const QString& text);
    // Raw bytes, at most width of them, the rest of the field zero.
    PayloadWriter& setBytes(int offset, int width, const QByteArray& bytes);

    const QByteArray& bytes() const { return bytes_; }

private:
    bool fits(int offset, int width) const;
    template <class T> PayloadWriter& setValue(int offset, T value);

    QByteArray bytes_;
};
