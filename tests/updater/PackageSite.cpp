#include "tests/updater/PackageSite.h"

#include "platform/ns/PropertyList.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamWriter>

namespace updater_test
{

namespace
{

QString packagePath(const QString& site, const QString& version, const QString& filename)
{
    return QStringLiteral("%1/packages/%2/%3").arg(site, version, filename);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

SitePackage describe(const QString& path, const QString& version, const QString& filename)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return {filename, version, file.size(), hash.result().toHex(),
            QStringLiteral("What %1 brings.").arg(filename)};
}

} // namespace

std::optional<SitePackage> zipPackage(const QString& site, const QString& version, const QString& filename,
                                      const QMap<QString, QByteArray>& files)
{
    QTemporaryDir contents;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        if (!writeFile(contents.filePath(it.key()), it.value()))
            return std::nullopt;
    const QString path = packagePath(site, version, filename);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    QProcess zip;
    zip.setWorkingDirectory(contents.path());
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-q"), QStringLiteral("-X"), QStringLiteral("-r"), path, "."});
    if (!zip.waitForFinished(30000) || zip.exitStatus() != QProcess::NormalExit || zip.exitCode() != 0)
        return std::nullopt;
    return describe(path, version, filename);
}

SitePackage rawPackage(const QString& site, const QString& version, const QString& filename,
                       const QByteArray& bytes)
{
    const QString path = packagePath(site, version, filename);
    writeFile(path, bytes);
    return describe(path, version, filename);
}

void writeOffer(const QString& site, const QString& version, const QString& device,
                const QList<SitePackage>& packages)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("UpdateDescription"));
    writer.writeStartElement(QStringLiteral("PackageDescription"));
    writer.writeTextElement(QStringLiteral("Version"), version);
    writer.writeTextElement(QStringLiteral("Description"), QStringLiteral("Faster connections and fixes."));
    writer.writeTextElement(QStringLiteral("Device"), device);
    writer.writeEndElement();
    for (const SitePackage& package : packages) {
        writer.writeStartElement(QStringLiteral("UpdateFile"));
        writer.writeAttribute(QStringLiteral("Filename"), package.filename);
        writer.writeAttribute(QStringLiteral("Version"), package.version);
        writer.writeAttribute(QStringLiteral("Size"), QString::number(package.size));
        writer.writeAttribute(QStringLiteral("PriorityFlag"), QStringLiteral("1"));
        writer.writeAttribute(QStringLiteral("SHA256"), QString::fromLatin1(package.sha256));
        writer.writeCharacters(package.description);
        writer.writeEndElement();
    }
    writer.writeStartElement(QStringLiteral("Server"));
    writer.writeTextElement(QStringLiteral("Url"), QStringLiteral("@BASE@/packages/%1/").arg(version));
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
    writeFile(site + QStringLiteral("/check.xml"), xml);
}

void writeNoOffer(const QString& site, int flag, const QString& message)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("UpdateDescription"));
    writer.writeTextElement(QStringLiteral("Flag"), QString::number(flag));
    writer.writeTextElement(QStringLiteral("ErrMsg"), message);
    writer.writeEndElement();
    writer.writeEndDocument();
    writeFile(site + QStringLiteral("/check.xml"), xml);
}

QByteArray firmwareManifest(const QByteArray& image)
{
    return ns::PropertyList::toXml(ns::Dictionary{
        {QStringLiteral("Image"), QStringLiteral("firmware.bin")},
        {QStringLiteral("Size"), qint64(image.size())},
        {QStringLiteral("SHA256"),
         QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex())}});
}

QList<SitePackage> makeSampleSite(const QString& site, const SampleContents& contents)
{
    const QString version = QStringLiteral("2.1");
    QMap<QString, QByteArray> cmFiles{
        {QStringLiteral("CMUpdatePackage/Engine"), contents.engine},
        {QStringLiteral("CMUpdatePackage/Trelvan.app/Contents/Info.plist"), QByteArray(4096, 'c')}};
    if (!contents.engineScript.isEmpty())
        cmFiles.insert(QStringLiteral("CMUpdatePackage/EngineScript.plist"), contents.engineScript);
    const std::optional<SitePackage> cm =
        zipPackage(site, version, QStringLiteral("CMUpdatePackage.zip"), cmFiles);
    const std::optional<SitePackage> firmware =
        zipPackage(site, version, QStringLiteral("FirmwareUpdatePackage.zip"),
                   {{QStringLiteral("FirmwareUpdatePackage/firmware.plist"),
                     contents.firmwareManifest.isEmpty() ? firmwareManifest(contents.firmwareImage)
                                                         : contents.firmwareManifest},
                    {QStringLiteral("FirmwareUpdatePackage/firmware.bin"), contents.firmwareImage}});
    if (!cm || !firmware)
        return {};
    writeOffer(site, version, QStringLiteral("TV-3G Stick"), {*cm, *firmware});
    return {*cm, *firmware};
}

} // namespace updater_test
