// The entry names a package's archive lists, which the engine launcher checks
// before it unpacks the archive as administrator: whatever the name, one that
// is taken lies inside the package's folder.
#include "updater/launcher/PackageArchive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString entry = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!launcher::isEntryInside(entry, QStringLiteral("CMUpdatePackage")))
        return 0;
    if (entry.startsWith(u'/') || !entry.startsWith(QStringLiteral("CMUpdatePackage")) ||
        entry.split(u'/').contains(QStringLiteral("..")))
        std::abort();
    return 0;
}
