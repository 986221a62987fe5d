// PlatformMap.plist, the map from device models to platform libraries:
// whatever the bytes, a model's platform is one that has a library or none.
#include "updater/firmControl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray map(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* model : {"TV-LTE Stick", "", "A"}) {
        const int platform = firmControl::platformInMap(QString::fromLatin1(model), map);
        if (platform != firmControl::kUnknownPlatform && firmControl::platformLibraryName(platform).isEmpty())
            std::abort();
    }
    return 0;
}
