#include "app/utils/JovFileManager.h"

#include "platform/ns/Path.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <utility>

namespace
{

// Cocoa's componentsSeparatedByString: an empty separator leaves the text whole.
QStringList components(const QString& text, const QString& separator)
{
    return separator.isEmpty() ? QStringList{text} : text.split(separator);
}

// Encoders of the unmarked UTF-16 and UTF-32 write a byte-order mark, so that
// a reader can tell the byte order.
QStringEncoder encoderFor(QStringConverter::Encoding encoding)
{
    const bool needsBom = encoding == QStringConverter::Utf16 || encoding == QStringConverter::Utf32;
    return QStringEncoder(encoding,
                          needsBom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
}

} // namespace

bool JovFileManager::createDirectory(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo::exists(path) || QDir().mkdir(path);
}

bool JovFileManager::createFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    QStringList parts = ns::stringByExpandingTildeInPath(path).split(u'/');
    QString grown;
    if (parts.size() > 1 && parts.first().isEmpty()) {
        grown = QStringLiteral("/");
        parts.removeFirst();
    }
    bool handled = false;
    for (const QString& part : std::as_const(parts)) {
        if (part.isEmpty())
            return handled;
        grown += part;
        if (!createDirectory(grown))
            return false;
        handled = true;
        grown += u'/';
    }
    return true;
}

bool JovFileManager::writeToFile(const QString& path, const ns::Value& content,
                                 QStringConverter::Encoding encoding)
{
    const QString target = ns::stringByExpandingTildeInPath(path);
    if (target.isEmpty())
        return false;
    if (!content.isString() && !content.isDictionary() && !content.isArray() && !content.isData()) {
        qWarning("Cannot write %s: the value cannot be written to a file", qPrintable(target));
        return false;
    }
    if (!QFileInfo::exists(target) && !createFolder(QFileInfo(target).path()))
        return false;

    if (content.isString()) {
        QStringEncoder encoder = encoderFor(encoding);
        const QByteArray bytes = encoder.encode(content.toString());
        if (encoder.hasError()) {
            qWarning("Cannot write %s: the text does not fit the encoding", qPrintable(target));
            return false;
        }
        return ns::writeFileAtomically(target, bytes);
    }
    if (content.isData())
        return ns::writeFileAtomically(target, content.toData());
    return ns::PropertyList::writeFile(target, content);
}

ns::Dictionary JovFileManager::readFromFile(const QString& path, const QString& splitNewLine,
                                            const QString& splitItem, QStringConverter::Encoding encoding)
{
    ns::Dictionary items;
    if (!QFileInfo::exists(path)) {
        qWarning("error:file path is not exist![readFromFile:]");
        return items;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Cannot read %s", qPrintable(path));
        return items;
    }
    QStringDecoder decoder(encoding);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        qWarning("Cannot read %s: it is not text in the expected encoding", qPrintable(path));
        return items;
    }
    for (const QString& line : components(text, splitNewLine)) {
        const QStringList pair = components(line, splitItem);
        if (pair.size() == 2)
            items.setValue(pair.at(0), pair.at(1));
    }
    return items;
}

int JovFileManager::getFileTypeWithPath(const QString& path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return kFileTypeNone;
    if (S_ISREG(info.st_mode))
        return kFileTypeFile;
    if (S_ISDIR(info.st_mode))
        return kFileTypeDirectory;
    return kFileTypeOther;
}

bool JovFileManager::isHiddenFile(const QString& path)
{
    const QString name = QFileInfo(QDir::cleanPath(path)).fileName();
    return name.startsWith(u'.') && name != QStringLiteral(".") && name != QStringLiteral("..");
}

bool JovFileManager::removeFileAtPath(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

QStringList JovFileManager::searchSubPaths(const QStringList& subPaths, int searchType,
                                           const QString& rootFileDirecory)
{
    if (searchType == kSearchAll)
        return subPaths;
    QStringList found;
    for (const QString& subPath : subPaths) {
        const int type = getFileTypeWithPath(rootFileDirecory + u'/' + subPath);
        if ((searchType == kSearchFiles && type == kFileTypeFile) ||
            (searchType == kSearchDirectories && type == kFileTypeDirectory))
            found.append(subPath);
    }
    return found;
}

std::optional<QStringList> JovFileManager::getSubPathsWithFileDirectoryPath(const QString& path,
                                                                            int searchType, bool fullPathFlag,
                                                                            bool containHiddenFlag)
{
    if (getFileTypeWithPath(path) != kFileTypeDirectory) {
        qWarning(
            "error:file type isn't directory or file may not be exist![getSubPathsFromFileDirectoryPath]");
        return std::nullopt;
    }
    const QDir root(path);
    QStringList subPaths;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        subPaths.append(root.relativeFilePath(it.next()));
    subPaths.sort();

    const QString prefix = path.endsWith(u'/') ? path : path + u'/';
    QStringList result;
    for (const QString& subPath : searchSubPaths(subPaths, searchType, path)) {
        if (isHiddenFile(subPath) == containHiddenFlag)
            result.append(fullPathFlag ? prefix + subPath : subPath);
    }
    return result;
}
