#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace updater_test
{

// What the test installer tool does, from the EngineScript.plist beside it:
// "Steps", an array of dictionaries with "UPDA_PROCESS" (real) and
// "UPDA_STATE" (integer), each sent as a CMD_ID 6; then "UPDA_RESULT"
// (integer), when present, sent as the CMD_ID 7; and "Record", a path where it
// writes who ran it.
struct EngineScript {
    struct Step {
        double process = 0;
        int state = 0;
    };
    QList<Step> steps;
    std::optional<int> result;
    QString record;
};

std::optional<EngineScript> parseEngineScript(const QByteArray& bytes, QString* error);
QByteArray engineScriptData(const EngineScript& script);

} // namespace updater_test
