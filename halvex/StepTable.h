#pragma once

#include "platform/ns/Value.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

namespace halvex
{

// The scenario steps tests can trigger by name ("remove", "plug", "signal"
// ...), each with a dictionary of arguments.
class StepTable
{
public:
    // Returns an empty string when the step was taken, else why not.
    using Step = std::function<QString(const ns::Dictionary& arguments)>;

    void registerStep(const QString& name, Step step);
    QString run(const QString& name, const ns::Dictionary& arguments) const;
    QStringList names() const;

private:
    std::map<QString, Step> steps_;
};

} // namespace halvex
