#pragma once

#include "platform/ns/Value.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace halvex
{

// One argument a step takes: an integer within a range.
struct StepArgument {
    QString name;
    int64_t minimum;
    int64_t maximum;
    QString description;
};

// The scenario steps tests can trigger by name ("remove", "plug", "signal"
// ...), each with a dictionary of arguments. The table both runs the steps
// and lists them, so the list says exactly what runs: a step is given only
// the arguments it declared, each present and in its range.
class StepTable
{
public:
    // Returns an empty string when the step was taken, else why not.
    using Step = std::function<QString(const ns::Dictionary& arguments)>;

    void registerStep(const QString& name, const QString& description, std::vector<StepArgument> arguments,
                      Step step);
    QString run(const QString& name, const ns::Dictionary& arguments) const;
    QStringList names() const;
    // Every step in the order registered: {"Name", "Description",
    // "Arguments": [{"Name", "Type", "Minimum", "Maximum", "Description"}]}.
    ns::Array listing() const;

private:
    struct Entry {
        QString name;
        QString description;
        std::vector<StepArgument> arguments;
        Step step;
    };

    static QString checkArguments(const Entry& entry, const ns::Dictionary& arguments);

    std::vector<Entry> steps_;
};

} // namespace halvex
