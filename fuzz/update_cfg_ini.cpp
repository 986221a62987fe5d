// Feeds the update agent's settings file rewrite with any file: the first
// input byte picks the key, and the value is taken from the file's first line
// (so values with control characters are tried as well as safe ones).

#include "device/UpdateFileText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const char* const keys[] = {"ENABLE_UPDATE=", "ServiceURL=", "UPDATE_FREQUENCE="};
    const QByteArrayView key(keys[data[0] % 3]);
    const QByteArrayView file(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString value = QString::fromUtf8(file.first(std::min<qsizetype>(file.size(), 64)));
    QString error;
    if (const std::optional<QByteArray> text = update_file_text::rewriteLine(file, key, value, &error)) {
        // A rewritten file rewrites to itself.
        if (update_file_text::rewriteLine(*text, key, value, &error) != text)
            __builtin_trap();
    }
    update_file_text::uiVersionNumber(value);
    update_file_text::firmwareVersionNumber(value);
    return 0;
}
