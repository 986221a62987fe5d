#include "halvex/Payload.h"

#include <QtGlobal>

#include <cstring>

namespace halvex
{

Payload::Payload(int size) : bytes_(size, '\0') {}

bool Payload::fits(int offset, int width) const
{
    const bool fits = offset >= 0 && width > 0 && offset + width <= bytes_.size();
    Q_ASSERT_X(fits, "Payload", "a field outside the payload");
    return fits;
}

Payload& Payload::setInt32(int offset, int32_t value)
{
    if (fits(offset, int(sizeof value)))
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
    return *this;
}

Payload& Payload::setByte(int offset, uint8_t value)
{
    if (fits(offset, 1))
        bytes_[offset] = char(value);
    return *this;
}

Payload& Payload::setText(int offset, int width, const QString& text)
{
    if (!fits(offset, width))
        return *this;
    const QByteArray utf8 = text.toUtf8().left(width - 1);
    std::memset(bytes_.data() + offset, 0, size_t(width));
    std::memcpy(bytes_.data() + offset, utf8.constData(), size_t(utf8.size()));
    return *this;
}

} // namespace halvex
