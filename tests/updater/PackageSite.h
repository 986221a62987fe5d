#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace updater_test
{

// A package as the test update server offers it.
struct SitePackage {
    QString filename;
    QString version;
    qint64 size = 0;
    QByteArray sha256; // hexadecimal
    QString description;
};

// Zips the files (name to contents) with the zip tool into
// site/packages/<version>/<filename>; nothing when zip fails.
std::optional<SitePackage> zipPackage(const QString& site, const QString& version, const QString& filename,
                                      const QMap<QString, QByteArray>& files);
// A package of the given bytes (no zip), for sizes a zip would not give.
SitePackage rawPackage(const QString& site, const QString& version, const QString& filename,
                       const QByteArray& bytes);

// The site's check.xml: an offer of the packages, served from the site itself.
void writeOffer(const QString& site, const QString& version, const QString& device,
                const QList<SitePackage>& packages);
// The site's check.xml: nothing on offer, for the reason of the flag.
void writeNoOffer(const QString& site, int flag, const QString& message);

// What the sample packages hold, each in a folder named like its archive.
struct SampleContents {
    QByteArray engine = "#!/bin/sh\nexit 0\n"; // CMUpdatePackage/Engine
    QByteArray engineScript;                   // CMUpdatePackage/EngineScript.plist, when not empty
    QByteArray firmwareImage = QByteArray(64 * 1024, 'f'); // FirmwareUpdatePackage/firmware.bin
    QByteArray firmwareManifest; // FirmwareUpdatePackage/firmware.plist; when empty, the image's own
};

// The firmware package's manifest for its image "firmware.bin".
QByteArray firmwareManifest(const QByteArray& image);

// A site with an offer of version 2.1 for "TV-3G Stick": a connection-manager
// and a firmware package. Empty when the packages cannot be made.
QList<SitePackage> makeSampleSite(const QString& site, const SampleContents& contents = {});

} // namespace updater_test
