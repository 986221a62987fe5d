#include "jCommon/PayloadWriter.h"

#include "jCommon/Utf8Cut.h"

#include <QtGlobal>

#include <cstring>

PayloadWriter::PayloadWriter(int size) : bytes_(size, '\0') {}

bool PayloadWriter::fits(int offset, int width) const
{
    const bool fits = offset >= 0 && width > 0 && offset + width <= bytes_.size();
    Q_ASSERT_X(fits, "PayloadWriter", "a field outside the payload");
    return fits;
}

template <class T> PayloadWriter& PayloadWriter::setValue(int offset, T value)
{
    if (fits(offset, int(sizeof value)))
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
    return *this;
}

PayloadWriter& PayloadWriter::setInt32(int offset, int32_t value)
{
    return setValue(offset, value);
}

PayloadWriter& PayloadWriter::setFloat32(int offset, float value)
{
    return setValue(offset, value);
}

PayloadWriter& PayloadWriter::setByte(int offset, uint8_t value)
{
    if (fits(offset, 1))
        bytes_[offset] = char(value);
    return *this;
}

PayloadWriter& PayloadWriter::setText(int offset, int width, const QString& text)
{
    return setBytes(offset, width, utf8Prefix(text.toUtf8(), width - 1));
}

PayloadWriter& PayloadWriter::setBytes(int offset, int width, const QByteArray& bytes)
{
    if (!fits(offset, width))
        return *this;
    const qsizetype count = std::min<qsizetype>(bytes.size(), width);
    std::memset(bytes_.data() + offset, 0, size_t(width));
    std::memcpy(bytes_.data() + offset, bytes.constData(), size_t(count));
    return *this;
}
