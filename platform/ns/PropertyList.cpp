#include "platform/ns/PropertyList.h"

#include "platform/ns/PropertyListFormats.h"

#include <QFile>
#include <QtDebug>

namespace ns
{

namespace PropertyList
{

std::optional<Value> fromData(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    QString error;
    std::optional<Value> value =
        bytes.startsWith("bplist") ? plist::readBinary(bytes, &error) : plist::readXml(bytes, &error);
    if (!value)
        qWarning("Not a property list: %s", qPrintable(error));
    return value;
}

std::optional<Value> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromData(file.readAll());
}

QByteArray toXml(const Value& value)
{
    plist::OutputBuffer out;
    return plist::writeXml(value, out) ? out.take() : QByteArray();
}

QByteArray toBinary(const Value& value)
{
    plist::OutputBuffer out;
    return plist::writeBinary(value, out) ? out.take() : QByteArray();
}

bool writeFile(const QString& path, const Value& value)
{
    AtomicFile file(path);
    if (!file.open())
        return false;
    plist::OutputBuffer out([&file](QByteArrayView chunk) { return file.write(chunk); });
    if (!plist::writeXml(value, out)) {
        qWarning("Cannot write %s: the value is not a property list", qPrintable(path));
        return false;
    }
    return out.finish() && file.commit();
}

std::optional<Dictionary> readDictionary(const QString& path)
{
    std::optional<Value> v = readFile(path);
    if (!v || !v->isDictionary())
        return std::nullopt;
    return v->toDictionary();
}

std::optional<Array> readArray(const QString& path)
{
    std::optional<Value> v = readFile(path);
    if (!v || !v->isArray())
        return std::nullopt;
    return v->toArray();
}

} // namespace PropertyList

} // namespace ns
