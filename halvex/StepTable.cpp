#include "halvex/StepTable.h"

#include <QtGlobal>

namespace halvex
{

void StepTable::registerStep(const QString& name, Step step)
{
    const bool added = steps_.try_emplace(name, std::move(step)).second;
    Q_ASSERT_X(added, "StepTable", "a step name is taken once");
    Q_UNUSED(added);
}

QString StepTable::run(const QString& name, const ns::Dictionary& arguments) const
{
    const auto it = steps_.find(name);
    if (it == steps_.end())
        return QStringLiteral("no step \"%1\" (known: %2)").arg(name, names().join(QStringLiteral(", ")));
    return it->second(arguments);
}

QStringList StepTable::names() const
{
    QStringList names;
    for (const auto& [name, step] : steps_)
        names << name;
    return names;
}

} // namespace halvex
