// A firmware package's manifest, firmware.plist, as a package may bring it:
// whatever the bytes, reading them ends without a crash, a hang or a read out
// of bounds, and a manifest taken names a plain file of a bounded size.
#include "platform/download/FirmwareManifest.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string error;
    const std::optional<firmware::FirmwareManifest> manifest = firmware::parseFirmwareManifest(data, size, &error);
    if (manifest && (manifest->image.empty() || manifest->image.find('/') != std::string::npos ||
                     manifest->size > firmware::kMaxImageBytes))
        std::abort();
    return 0;
}
