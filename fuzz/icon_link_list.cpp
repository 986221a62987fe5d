// Feeds the list of remote images with any bytes, and its first line as the
// server's "Last-Modified" value: reading the list, the addresses to query,
// the known-address checks, a server date and a finished download come out
// without a crash, and a list that was read and saved reads back the same.

#include "connection/Dovure/IconLinkList.h"
#include "connection/Dovure/LastModifiedDate.h"
#include "platform/ns/PropertyList.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = dir.filePath(QStringLiteral("IconLinks.plist"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes);
    }
    const QString header = QString::fromUtf8(bytes.left(bytes.indexOf('\n')));
    last_modified::parse(header);

    IconLinkList list;
    list.load(path);
    const KnownLocalFiles files{{dir.path()}, true};
    for (const QString& address : list.addressesToQuery()) {
        list.isKnownURL(address, files);
        list.isKnownURL(QStringLiteral("file://") + list.storePathForURL(address), files);
        if (list.noteServerDate(address, header))
            list.finishDownload(address);
    }
    list.isKnownURL(header, files);
    if (list.save()) {
        const std::optional<ns::Array> reread = ns::PropertyList::readArray(path);
        if (!reread || !(*reread == list.entries()))
            std::abort();
    }
    return 0;
}
