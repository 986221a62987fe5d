// What the update agent reads from outside: the Content-Range header of a
// partial answer and the selection file naming the packages and servers.
// The first byte chooses the reader; the rest is its input.
#include "platform/agent/HttpReplies.h"
#include "platform/agent/UserSelection.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1) {
        if (const std::optional<agent::ContentRange> range = agent::parseContentRange(input)) {
            if (range->first < 0 || range->last < range->first ||
                (range->total >= 0 && range->last >= range->total))
                __builtin_trap();
        }
    } else {
        QString error;
        agent::parseUserSelection(input, &error);
    }
    return 0;
}
