// The test installer tool's EngineScript.plist: whatever the bytes, reading
// them ends without a crash, a hang or a read out of bounds.
#include "tests/updater/EngineScript.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString error;
    (void)updater_test::parseEngineScript(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    return 0;
}
