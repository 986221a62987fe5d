#include "platform/ae/Frame.h"

#include <QtEndian>

#include <set>

namespace ae
{

namespace
{

constexpr quint32 kMagic = 0x46454154; // "TAEF" as it lies in memory
constexpr quint16 kVersion = 1;
constexpr quint8 kFlagReplyWanted = 0x01;
constexpr int kFixedBodySize =
    4 * 6 + 4; // class, ID, return ID, transaction ID, target type and length, count
constexpr int kParameterHeaderSize = 12;

class Writer
{
public:
    explicit Writer(qsizetype size) { bytes_.reserve(size); }

    template <typename T> void put(T value)
    {
        const T le = qToLittleEndian(value);
        bytes_.append(reinterpret_cast<const char*>(&le), sizeof le);
    }
    void putDescriptorBody(const Descriptor& d)
    {
        put<quint32>(d.descriptorType);
        put<quint32>(quint32(d.data.size()));
        bytes_.append(d.data);
    }
    QByteArray take() { return std::move(bytes_); }

private:
    QByteArray bytes_;
};

// Reads values in order and never past the end of its bytes.
class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}

    template <typename T> bool get(T& value)
    {
        if (bytes_.size() - pos_ < qsizetype(sizeof(T)))
            return false;
        value = qFromLittleEndian<T>(bytes_.data() + pos_);
        pos_ += sizeof(T);
        return true;
    }
    bool getDescriptorBody(Descriptor& d)
    {
        quint32 type = 0;
        quint32 length = 0;
        if (!get(type) || !get(length) || quint64(length) > quint64(bytes_.size() - pos_))
            return false;
        d.descriptorType = type;
        d.data = bytes_.sliced(pos_, length).toByteArray();
        pos_ += length;
        return true;
    }
    bool atEnd() const { return pos_ == bytes_.size(); }

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

bool refuse(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QByteArray Frame::encoded() const
{
    qint64 size = kHeaderSize + kFixedBodySize + event.target().data.size();
    for (const AppleEvent::Parameter& p : event.parameters())
        size += kParameterHeaderSize + p.second.data.size();
    if (size > kMaxSize)
        return {};

    Writer w(size);
    w.put<quint32>(kMagic);
    w.put<quint16>(kVersion);
    w.put<quint8>(quint8(kind));
    w.put<quint8>(kind == Kind::Event && replyWanted ? kFlagReplyWanted : 0);
    w.put<quint32>(quint32(size));
    w.put<qint16>(kind == Kind::Reply ? status : noErr);
    w.put<quint16>(0);
    w.put<quint32>(event.eventClass());
    w.put<quint32>(event.eventID());
    w.put<qint32>(event.returnID());
    w.put<qint32>(event.transactionID());
    w.putDescriptorBody(event.target());
    w.put<quint32>(quint32(event.parameters().size()));
    for (const AppleEvent::Parameter& p : event.parameters()) {
        w.put<quint32>(p.first);
        w.putDescriptorBody(p.second);
    }
    return w.take();
}

std::optional<int> Frame::declaredLength(QByteArrayView header, QString* error)
{
    Reader r(header);
    quint32 magic = 0;
    quint16 version = 0;
    quint8 kind = 0;
    quint8 flags = 0;
    quint32 length = 0;
    if (!r.get(magic) || !r.get(version) || !r.get(kind) || !r.get(flags) || !r.get(length)) {
        refuse(error, QStringLiteral("header cut short"));
        return std::nullopt;
    }
    if (magic != kMagic) {
        refuse(error, QStringLiteral("not a frame (bad magic)"));
        return std::nullopt;
    }
    if (version != kVersion) {
        refuse(error, QStringLiteral("unknown version %1").arg(version));
        return std::nullopt;
    }
    if (kind != quint8(Kind::Event) && kind != quint8(Kind::Reply)) {
        refuse(error, QStringLiteral("unknown kind %1").arg(kind));
        return std::nullopt;
    }
    if (length < quint32(kHeaderSize + kFixedBodySize) || length > quint32(kMaxSize)) {
        refuse(error, QStringLiteral("declared length %1 out of range").arg(length));
        return std::nullopt;
    }
    return int(length);
}

std::optional<Frame> Frame::decode(QByteArrayView bytes, QString* error)
{
    const std::optional<int> length = declaredLength(bytes, error);
    if (!length)
        return std::nullopt;
    if (bytes.size() != *length) {
        refuse(error, QStringLiteral("declared length %1 but %2 bytes").arg(*length).arg(bytes.size()));
        return std::nullopt;
    }

    Reader r(bytes.sliced(6)); // kind onwards; magic and version are checked
    Frame frame;
    quint8 kind = 0;
    quint8 flags = 0;
    quint32 totalLength = 0;
    qint16 status = 0;
    quint16 reserved = 0;
    quint32 eventClass = 0;
    quint32 eventID = 0;
    qint32 returnID = 0;
    qint32 transactionID = 0;
    Descriptor target;
    quint32 count = 0;
    if (!r.get(kind) || !r.get(flags) || !r.get(totalLength) || !r.get(status) || !r.get(reserved) ||
        !r.get(eventClass) || !r.get(eventID) || !r.get(returnID) || !r.get(transactionID) ||
        !r.getDescriptorBody(target) || !r.get(count)) {
        refuse(error, QStringLiteral("event fields run past the frame"));
        return std::nullopt;
    }
    frame.kind = Kind(kind);
    frame.replyWanted = frame.kind == Kind::Event && (flags & kFlagReplyWanted);
    frame.status = frame.kind == Kind::Reply ? status : noErr;
    frame.event = AppleEvent(eventClass, eventID, target, returnID, transactionID);

    std::set<OSType> keywords;
    for (quint32 i = 0; i < count; ++i) {
        quint32 keyword = 0;
        Descriptor value;
        if (!r.get(keyword) || !r.getDescriptorBody(value)) {
            refuse(error, QStringLiteral("parameter %1 of %2 runs past the frame").arg(i + 1).arg(count));
            return std::nullopt;
        }
        if (!keywords.insert(keyword).second) {
            refuse(error, QStringLiteral("parameter keyword repeated"));
            return std::nullopt;
        }
        frame.event.parameters_.emplace_back(keyword, std::move(value));
    }
    if (!r.atEnd()) {
        refuse(error, QStringLiteral("bytes left over after the last parameter"));
        return std::nullopt;
    }
    return frame;
}

} // namespace ae
