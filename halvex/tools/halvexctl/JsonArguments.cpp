#include "halvex/tools/halvexctl/JsonArguments.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>

namespace
{

// Integers up to 2^53 are exact in a JSON number.
constexpr double kLargestExactInteger = 9007199254740992.0;

std::optional<ns::Value> convert(const QJsonValue& json)
{
    switch (json.type()) {
    case QJsonValue::Bool:
        return ns::Value(json.toBool());
    case QJsonValue::Double: {
        const double number = json.toDouble();
        if (std::trunc(number) == number && std::fabs(number) <= kLargestExactInteger)
            return ns::Value(qint64(number));
        return ns::Value(number);
    }
    case QJsonValue::String:
        return ns::Value(json.toString());
    case QJsonValue::Array: {
        ns::Array array;
        for (const QJsonValue& item : json.toArray()) {
            const std::optional<ns::Value> value = convert(item);
            if (!value)
                return std::nullopt;
            array.append(*value);
        }
        return ns::Value(array);
    }
    case QJsonValue::Object: {
        ns::Dictionary dictionary;
        const QJsonObject object = json.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const std::optional<ns::Value> value = convert(it.value());
            if (!value)
                return std::nullopt;
            dictionary.setValue(it.key(), *value);
        }
        return ns::Value(dictionary);
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<ns::Dictionary> dictionaryFromJson(const QByteArray& json, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        *error = document.isNull() ? QStringLiteral("not JSON (%1)").arg(parseError.errorString())
                                   : QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    const std::optional<ns::Value> value = convert(document.object());
    if (!value) {
        *error = QStringLiteral("a null has no property-list form");
        return std::nullopt;
    }
    return value->toDictionary();
}
