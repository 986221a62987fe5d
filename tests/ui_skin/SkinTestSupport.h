#pragma once

#include "app/config/ConfigManager.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Image.h"
#include "tests/config/ConfigTestSupport.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The image files of tests/fixtures/ui_skin: strips3.png (30 by 10: red,
// green, blue strips of 10), strips4v.png (10 by 40: red, green, gray, blue
// from the top), strips2.png (20 by 10: yellow, cyan), quadrants.png (20 by
// 20: red, green over blue, yellow), back.png (40 by 30, magenta).
inline QString skinFixture(const QString& name)
{
    return QStringLiteral(TRELVAN_FIXTURES_DIR "/ui_skin/") + name;
}

// A skin folder of its own: descriptions written by the test and the fixture images.
class TestSkin
{
public:
    explicit TestSkin(const ns::Dictionary& items = ns::Dictionary())
    {
        QDir().mkpath(path());
        for (const char* image : {"strips3.png", "strips4v.png", "strips2.png", "quadrants.png", "back.png"})
            QFile::copy(skinFixture(image), path() + '/' + image);
        if (!items.isEmpty())
            writeDescription(QStringLiteral("SkinInfo"), items);
    }

    QString path() const { return dir_.filePath("skin"); }
    void writeDescription(const QString& name, const ns::Dictionary& items) const
    {
        ns::PropertyList::writeFile(path() + '/' + name, items);
    }

private:
    QTemporaryDir dir_;
};

// An application bundle with the settings and an English token list, so that
// the language of the skin descriptions is "English"; its store reads them.
class SkinBundle : public TemporaryAppBundle
{
public:
    explicit SkinBundle(const ns::Dictionary& settings = ns::Dictionary()) : TemporaryAppBundle(settings)
    {
        const QString lproj = appPath() + "/Contents/Resources/English.lproj";
        QDir().mkpath(lproj);
        QFile tokens(lproj + "/LanguageTokenList.txt");
        tokens.open(QIODevice::WriteOnly);
    }

    // The product's default skin (resources/defaultSkin) in the bundle's resources.
    void installDefaultSkin() const
    {
        const QDir source(QStringLiteral(TRELVAN_DEFAULT_SKIN_DIR));
        const QString target = appPath() + "/Contents/Resources/defaultSkin";
        QDir().mkpath(target);
        for (const QString& file : source.entryList(QDir::Files))
            QFile::copy(source.filePath(file), target + '/' + file);
    }

    // A skin folder "name" in the bundle's resources holding the items.
    QString addResourceSkin(const QString& name, const ns::Dictionary& items) const
    {
        const QString folder = appPath() + "/Contents/Resources/" + name;
        QDir().mkpath(folder);
        ns::PropertyList::writeFile(folder + "/SkinInfo", items);
        return folder;
    }
};

inline QColor pixel(const ns::Image& image, int x, int y)
{
    return image.qImage().pixelColor(x, y);
}
