#include "platform/ns/Bundle.h"

#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFileInfo>

namespace ns
{

namespace
{

QString runningExecutable()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

// X.app/Contents/MacOS/X gives X.app; anything else its own folder.
QString bundleOfExecutable(const QString& executable)
{
    QDir dir = QFileInfo(executable).dir();
    if (dir.dirName() == u"MacOS") {
        QDir contents = dir;
        if (contents.cdUp() && contents.dirName() == u"Contents") {
            QDir bundle = contents;
            if (bundle.cdUp())
                return bundle.absolutePath();
        }
    }
    return dir.absolutePath();
}

std::optional<Bundle>& overridden()
{
    static std::optional<Bundle> bundle;
    return bundle;
}

} // namespace

Bundle::Bundle(const QString& path) : path_(QDir::cleanPath(path)) {}

Bundle& Bundle::mainBundle()
{
    if (overridden())
        return *overridden();
    static Bundle main = [] {
        const QString exe = runningExecutable();
        Bundle b(bundleOfExecutable(exe));
        b.executable_ = exe;
        return b;
    }();
    return main;
}

void Bundle::setMainBundlePath(const QString& path)
{
    if (path.isEmpty())
        overridden().reset();
    else
        overridden() = Bundle(path);
}

std::optional<Bundle> Bundle::bundleWithPath(const QString& path)
{
    if (!QFileInfo(path).isDir())
        return std::nullopt;
    return Bundle(path);
}

bool Bundle::isAppLayout() const
{
    return QFileInfo(path_ + QStringLiteral("/Contents")).isDir();
}

QString Bundle::executablePath() const
{
    if (!executable_.isEmpty())
        return executable_;
    const QString name = objectForInfoDictionaryKey(QStringLiteral("CFBundleExecutable")).toString();
    const QString fallback = QFileInfo(path_).completeBaseName();
    return path_ + QStringLiteral("/Contents/MacOS/") + (name.isEmpty() ? fallback : name);
}

QString Bundle::resourcePath() const
{
    return isAppLayout() ? path_ + QStringLiteral("/Contents/Resources") : path_;
}

QString Bundle::builtInPlugInsPath() const
{
    return path_ + QStringLiteral("/Contents/PlugIns");
}

QString Bundle::pathForResource(const QString& name, const QString& type) const
{
    const QString root = pathForResource(name, type, QString());
    return root.isEmpty() ? pathForResource(name, type, QStringLiteral("English.lproj")) : root;
}

QString Bundle::pathForResource(const QString& name, const QString& type, const QString& directory) const
{
    if (name.isEmpty())
        return QString();
    QString file = name;
    if (!type.isEmpty())
        file += u'.' + type;
    QString path = resourcePath();
    if (!directory.isEmpty())
        path += u'/' + directory;
    path += u'/' + file;
    return QFileInfo::exists(path) ? QDir::cleanPath(path) : QString();
}

Dictionary Bundle::infoDictionary() const
{
    if (!info_)
        info_ = PropertyList::readDictionary(path_ + QStringLiteral("/Contents/Info.plist"))
                    .value_or(Dictionary());
    return *info_;
}

Value Bundle::objectForInfoDictionaryKey(const QString& key) const
{
    return infoDictionary().value(key);
}

QString Bundle::bundleIdentifier() const
{
    return objectForInfoDictionaryKey(QStringLiteral("CFBundleIdentifier")).toString();
}

} // namespace ns
