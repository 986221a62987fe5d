#include "halvex/StepTable.h"

#include "halvex/Logging.h"

#include <QtGlobal>

#include <algorithm>

namespace halvex
{

namespace
{

QString rangeText(const StepArgument& argument)
{
    return QStringLiteral("an integer from %1 to %2").arg(argument.minimum).arg(argument.maximum);
}

// An argument's value as a refusal shows it.
QString shown(const ns::Value& value)
{
    switch (value.type()) {
    case ns::Value::Type::String:
        return QStringLiteral("\"%1\"").arg(loggable(value.toString()));
    case ns::Value::Type::Boolean:
        return value.boolValue() ? QStringLiteral("true") : QStringLiteral("false");
    case ns::Value::Type::Integer:
    case ns::Value::Type::Real:
        return value.stringValue();
    case ns::Value::Type::Date:
        return QStringLiteral("a date");
    case ns::Value::Type::Data:
        return QStringLiteral("data");
    case ns::Value::Type::Uid:
        return QStringLiteral("a UID");
    case ns::Value::Type::Array:
        return QStringLiteral("an array");
    case ns::Value::Type::Dictionary:
        return QStringLiteral("a dictionary");
    case ns::Value::Type::Null:
        break;
    }
    return QString();
}

} // namespace

void StepTable::registerStep(const QString& name, const QString& description,
                             std::vector<StepArgument> arguments, Step step)
{
    Q_ASSERT_X(!names().contains(name), "StepTable", "a step name is taken once");
    steps_.push_back({name, description, std::move(arguments), std::move(step)});
}

QString StepTable::run(const QString& name, const ns::Dictionary& arguments) const
{
    const auto it =
        std::find_if(steps_.begin(), steps_.end(), [&](const Entry& entry) { return entry.name == name; });
    if (it == steps_.end())
        return QStringLiteral("no step \"%1\" (known: %2)")
            .arg(loggable(name), names().join(QStringLiteral(", ")));
    if (const QString refusal = checkArguments(*it, arguments); !refusal.isEmpty())
        return refusal;
    return it->step(arguments);
}

QString StepTable::checkArguments(const Entry& entry, const ns::Dictionary& arguments)
{
    for (const QString& key : arguments.keys()) {
        if (std::none_of(entry.arguments.begin(), entry.arguments.end(),
                         [&](const StepArgument& argument) { return argument.name == key; }))
            return QStringLiteral("the %1 step takes no argument \"%2\"").arg(entry.name, loggable(key));
    }
    for (const StepArgument& argument : entry.arguments) {
        const ns::Value& value = arguments.value(argument.name);
        if (value.isNull())
            return QStringLiteral("the %1 step needs \"%2\", %3")
                .arg(entry.name, argument.name, rangeText(argument));
        // Only whole numbers as given: a real, a text or a value beyond the
        // range is refused, never cut or rounded into it.
        if (value.type() != ns::Value::Type::Integer || value.longLongValue() < argument.minimum ||
            value.longLongValue() > argument.maximum)
            return QStringLiteral("the %1 step's \"%2\" must be %3, not %4")
                .arg(entry.name, argument.name, rangeText(argument), shown(value));
    }
    return QString();
}

QStringList StepTable::names() const
{
    QStringList names;
    for (const Entry& entry : steps_)
        names << entry.name;
    return names;
}

ns::Array StepTable::listing() const
{
    ns::Array listing;
    for (const Entry& entry : steps_) {
        ns::Array arguments;
        for (const StepArgument& argument : entry.arguments)
            arguments.append(ns::Dictionary{{QStringLiteral("Name"), argument.name},
                                            {QStringLiteral("Type"), QStringLiteral("integer")},
                                            {QStringLiteral("Minimum"), qint64(argument.minimum)},
                                            {QStringLiteral("Maximum"), qint64(argument.maximum)},
                                            {QStringLiteral("Description"), argument.description}});
        listing.append(ns::Dictionary{{QStringLiteral("Name"), entry.name},
                                      {QStringLiteral("Description"), entry.description},
                                      {QStringLiteral("Arguments"), arguments}});
    }
    return listing;
}

} // namespace halvex
