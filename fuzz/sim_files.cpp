// Feeds the SIM files' parsers with any text: the service provider name, the
// friendly-network list and the card number, and the alpha identifier alone.

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "device/InitService.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ConfigManager store;
    static ConfigService switches(store);
    static InitService service(store, switches);

    const QByteArrayView text(reinterpret_cast<const char*>(data), qsizetype(size));
    service.doParseEF_SPN(text);
    service.doParseEF_SPDI(text);
    service.doParseEF_ICCID(text);
    HexCursor cursor(text);
    service.decodeAlphaIdInSPN(cursor);
    return 0;
}
