#include "platform/ns/PropertyList.h"

#include <QFile>
#include <QSaveFile>
#include <QTimeZone>
#include <QtDebug>

#include <plist/plist.h>

#include <cstdlib>

namespace ns
{

namespace
{

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr qint64 kReferenceDateUnix = 978307200;

struct PlistDeleter {
    void operator()(plist_t p) const { plist_free(p); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

Value fromNode(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return Value(b != 0);
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        return Value(static_cast<long long>(u));
    }
    case PLIST_REAL: {
        double r = 0;
        plist_get_real_val(node, &r);
        return Value(r);
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        uint64_t length = 0;
        const char* s = plist_get_string_ptr(node, &length);
        return Value(QString::fromUtf8(s, qsizetype(length)));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return Value(QByteArray(bytes, qsizetype(length)));
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        const qint64 ms = (kReferenceDateUnix + sec) * 1000 + usec / 1000;
        return Value(QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()));
    }
    case PLIST_ARRAY: {
        Array array;
        const uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; ++i)
            array.append(fromNode(plist_array_get_item(node, i)));
        return Value(array);
    }
    case PLIST_DICT: {
        Dictionary dict;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, it, &key, &item);
            if (!item) {
                std::free(key);
                break;
            }
            dict.setValue(QString::fromUtf8(key), fromNode(item));
            std::free(key);
        }
        std::free(it);
        return Value(dict);
    }
    default:
        return Value();
    }
}

// Builds the libplist form; nullptr when the value holds a null.
plist_t toNode(const Value& value)
{
    switch (value.type()) {
    case Value::Type::Boolean:
        return plist_new_bool(value.boolValue());
    case Value::Type::Integer:
        return plist_new_uint(static_cast<uint64_t>(value.longLongValue()));
    case Value::Type::Real:
        return plist_new_real(value.doubleValue());
    case Value::Type::String:
        return plist_new_string(value.toString().toUtf8().constData());
    case Value::Type::Data: {
        const QByteArray d = value.toData();
        return plist_new_data(d.constData(), uint64_t(d.size()));
    }
    case Value::Type::Date: {
        const qint64 ms = value.toDate().toMSecsSinceEpoch() - kReferenceDateUnix * 1000;
        const qint64 sec = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
        return plist_new_date(int32_t(sec), int32_t((ms - sec * 1000) * 1000));
    }
    case Value::Type::Array: {
        plist_t array = plist_new_array();
        for (const Value& item : value.toArray()) {
            plist_t child = toNode(item);
            if (!child) {
                plist_free(array);
                return nullptr;
            }
            plist_array_append_item(array, child);
        }
        return array;
    }
    case Value::Type::Dictionary: {
        plist_t dict = plist_new_dict();
        for (const auto& [key, item] : value.toDictionary()) {
            plist_t child = toNode(item);
            if (!child) {
                plist_free(dict);
                return nullptr;
            }
            plist_dict_set_item(dict, key.toUtf8().constData(), child);
        }
        return dict;
    }
    case Value::Type::Null:
        break;
    }
    return nullptr;
}

} // namespace

namespace PropertyList
{

std::optional<Value> fromData(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.size() > 0x7fffffff)
        return std::nullopt;
    plist_t root = nullptr;
    const uint32_t length = uint32_t(bytes.size());
    if (plist_is_binary(bytes.constData(), length))
        plist_from_bin(bytes.constData(), length, &root);
    else
        plist_from_xml(bytes.constData(), length, &root);
    if (!root)
        return std::nullopt;
    PlistPtr owner(root);
    return fromNode(root);
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
    plist_t root = toNode(value);
    if (!root)
        return QByteArray();
    PlistPtr owner(root);
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    QByteArray result(xml, qsizetype(length));
    std::free(xml);
    return result;
}

bool writeFile(const QString& path, const Value& value)
{
    const QByteArray xml = toXml(value);
    if (xml.isEmpty()) {
        qWarning("Cannot write %s: the value is not a property list", qPrintable(path));
        return false;
    }
    return writeFileAtomically(path, xml);
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

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace ns
