// The update description as the update server may write it: whatever the
// bytes, reading them into the description dictionary ends without a crash,
// a hang or a read out of bounds.
#include "updater/XMLParse.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ns::Dictionary info;
    XMLParse::updateInfoFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), info);
    return 0;
}
