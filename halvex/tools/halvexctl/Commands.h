#pragma once

#include "halvex/ControlClient.h"

#include <QTextStream>

// The commands of halvexctl. Each prints what Halvex answered on out, or the
// reason it could not on err, and returns the program's exit code.
namespace halvexctl
{

constexpr int kExitRefused = 1; // Halvex refused, or could not be reached

struct Streams {
    QTextStream& out;
    QTextStream& err;
};

int showState(const halvex::ControlClient& client, Streams streams);
// One line per entry numbered above since, oldest first.
int showLog(const halvex::ControlClient& client, halvex::ControlClient::Log log, uint64_t since,
            Streams streams);
int showSteps(const halvex::ControlClient& client, Streams streams);
int runStep(const halvex::ControlClient& client, const QString& name, const ns::Dictionary& arguments,
            Streams streams);
int inject(const halvex::ControlClient& client, const _UI_MSG& record, Streams streams);

} // namespace halvexctl
