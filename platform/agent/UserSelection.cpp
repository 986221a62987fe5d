#include "platform/agent/UserSelection.h"

#include <QFile>
#include <QUrl>
#include <QXmlStreamReader>

namespace agent
{

namespace
{

// Far beyond any package, and small enough that sums and percentages of sizes never overflow.
constexpr qint64 kMaxPackageBytes = qint64(1) << 40;

// A name that stays inside the download folder.
bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/') && !name.contains(QChar(0));
}

std::optional<SelectedFile> selectedFile(const QXmlStreamAttributes& attributes, QString* error)
{
    SelectedFile file;
    file.filename = attributes.value(QStringLiteral("Filename")).toString();
    if (!isPlainFileName(file.filename)) {
        *error = QStringLiteral("a package without a plain file name: \"%1\"").arg(file.filename);
        return std::nullopt;
    }
    bool ok = false;
    file.size = attributes.value(QStringLiteral("Size")).toLongLong(&ok);
    if (!ok || file.size < 0 || file.size > kMaxPackageBytes) {
        *error = QStringLiteral("%1 has no size").arg(file.filename);
        return std::nullopt;
    }
    const QString digest = attributes.value(QStringLiteral("SHA256")).toString().trimmed();
    file.sha256 = QByteArray::fromHex(digest.toLatin1());
    if (digest.size() != 64 || file.sha256.size() != 32) {
        *error = QStringLiteral("%1 has no SHA256 digest").arg(file.filename);
        return std::nullopt;
    }
    return file;
}

} // namespace

std::optional<UserSelection> parseUserSelection(const QByteArray& xml, QString* error)
{
    UserSelection selection;
    QXmlStreamReader reader(xml);
    QStringList path; // the open elements
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (!path.isEmpty())
                path.removeLast();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        path.append(reader.name().toString());
        if (path == QStringList{"UpdateConfig", "UpdateFiles", "UpdateFile"}) {
            std::optional<SelectedFile> file = selectedFile(reader.attributes(), error);
            if (!file)
                return std::nullopt;
            selection.files.append(*file);
        } else if (path == QStringList{"UpdateConfig", "Ftp", "Server", "Url"}) {
            const QString url = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            path.removeLast(); // readElementText consumed the end element
            const QUrl parsed(url);
            if (parsed.isValid() && (parsed.scheme() == u"http" || parsed.scheme() == u"https"))
                selection.serverUrls.append(url);
        }
    }
    if (reader.hasError()) {
        *error = QStringLiteral("not well-formed: %1").arg(reader.errorString());
        return std::nullopt;
    }
    if (selection.files.isEmpty()) {
        *error = QStringLiteral("no package chosen");
        return std::nullopt;
    }
    if (selection.serverUrls.isEmpty()) {
        *error = QStringLiteral("no server to download from");
        return std::nullopt;
    }
    return selection;
}

std::optional<UserSelection> readUserSelection(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return std::nullopt;
    }
    return parseUserSelection(file.readAll(), error);
}

} // namespace agent
