#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Font.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/Sound.h"

#include <gtest/gtest.h>

#include <QFontDatabase>

using namespace ns;

TEST(AppKitColor, ReadsCoreImageColourStrings)
{
    struct Case {
        const char* text;
        std::optional<QColor> color;
    };
    const Case cases[] = {
        {"1 0 0", QColor(255, 0, 0)},
        {"0 0.5 1 0.25", QColor::fromRgbF(0, 0.5f, 1, 0.25f)},
        {"[0 0 1 1]", QColor(0, 0, 255)},
        {"  0.2   0.4 0.6 ", QColor::fromRgbF(0.2f, 0.4f, 0.6f)},
        {"1.5 -1 0", QColor(255, 0, 0)}, // held to the range 0 to 1
        {"1 0", std::nullopt},
        {"1 0 0 1 0", std::nullopt},
        {"red", std::nullopt},
        {"1 0 x", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<Color> color = Color::colorWithCIColorString(c.text);
        ASSERT_EQ(color.has_value(), c.color.has_value()) << c.text;
        if (c.color) {
            EXPECT_EQ(color->qColor().rgba(), c.color->rgba()) << c.text;
        }
    }
}

TEST(AppKitImage, ReadsPngAndJpegFiles)
{
    const Image strip = Image::imageWithContentsOfFile(appkit_test::fixture("strip.png"));
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(strip.size(), (Size{8, 4}));
    const Image photo = Image::imageWithContentsOfFile(appkit_test::fixture("photo.jpg"));
    ASSERT_FALSE(photo.isNull());
    EXPECT_EQ(photo.size(), (Size{12, 6}));
    EXPECT_NEAR(photo.qImage().pixelColor(3, 3).red(), 200, 8);
    EXPECT_TRUE(Image::imageWithContentsOfFile(appkit_test::fixture("missing.png")).isNull());
    EXPECT_TRUE(Image::imageWithContentsOfFile(appkit_test::fixture("beep.wav")).isNull());
}

TEST(AppKitImage, CutsRectanglesMeasuredFromTheTopLeft)
{
    const Image strip = Image::imageWithContentsOfFile(appkit_test::fixture("strip.png"));
    struct Case {
        Rect rect;
        std::optional<QColor> color; // of the whole cut, or no image
    };
    const Case cases[] = {
        {{0, 0, 4, 1}, QColor(Qt::green)}, {{0, 1, 4, 3}, QColor(Qt::red)}, {{4, 0, 4, 4}, QColor(Qt::blue)},
        {{5, 0, 4, 4}, std::nullopt},      {{0, 2, 4, 3}, std::nullopt},    {{0, 0, 0, 2}, std::nullopt},
        {{-1, 0, 2, 2}, std::nullopt},
    };
    for (const Case& c : cases) {
        const Image cut = strip.subImage(c.rect);
        ASSERT_EQ(cut.isNull(), !c.color) << c.rect;
        if (!c.color)
            continue;
        EXPECT_EQ(cut.size(), c.rect.size);
        for (int y = 0; y < cut.qImage().height(); ++y)
            for (int x = 0; x < cut.qImage().width(); ++x)
                EXPECT_EQ(cut.qImage().pixelColor(x, y), *c.color) << c.rect << " at " << x << "," << y;
    }
}

TEST(AppKitImage, RedrawsAtASize)
{
    const Image strip = Image::imageWithContentsOfFile(appkit_test::fixture("strip.png"));
    const Image scaled = strip.scaledToSize({16, 8});
    ASSERT_FALSE(scaled.isNull());
    EXPECT_EQ(scaled.size(), (Size{16, 8}));
    EXPECT_EQ(scaled.qImage().pixelColor(15, 7), QColor(Qt::blue));
    EXPECT_EQ(scaled.qImage().pixelColor(1, 6), QColor(Qt::red));
    EXPECT_TRUE(strip.scaledToSize({0, 8}).isNull());
    EXPECT_TRUE(strip.scaledToSize({8, -1}).isNull());
}

TEST(AppKitFont, NamedFontsExistOnlyWhenInstalled)
{
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const std::optional<Font> font = Font::fontWithName(families.first().toLower(), 15);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->familyName(), families.first());
    EXPECT_EQ(font->pointSize(), 15);
    EXPECT_FALSE(Font::fontWithName("No Such Font Family", 12).has_value());
    EXPECT_EQ(Font::fontWithName(families.first(), 0)->pointSize(), 12);
    EXPECT_EQ(Font::systemFontOfSize(0).pointSize(), Font::systemFontSize());

    FontManager& manager = FontManager::sharedFontManager();
    const Font bold = manager.convertFont(*font, BoldFontMask | ItalicFontMask);
    EXPECT_EQ(manager.traitsOfFont(bold), unsigned(BoldFontMask | ItalicFontMask));
    EXPECT_EQ(manager.traitsOfFont(manager.convertFont(bold, UnboldFontMask)), unsigned(ItalicFontMask));
    EXPECT_EQ(manager.convertFont(*font, 0), *font);
}

TEST(AppKitSound, PlaysForItsDurationWithOrWithoutASoundDevice)
{
    ManualClock clock;
    Clock::setCurrent(&clock);
    std::unique_ptr<Sound> sound = Sound::soundWithContentsOfFile(appkit_test::fixture("beep.wav"));
    ASSERT_NE(sound, nullptr);
    EXPECT_DOUBLE_EQ(sound->duration(), 0.5);

    struct Finished : SoundDelegate {
        void soundDidFinishPlaying(Sound*, bool reachedEnd) override { ends.append(reachedEnd); }
        QList<bool> ends;
    } delegate;
    sound->setDelegate(&delegate);

    EXPECT_TRUE(sound->play());
    EXPECT_FALSE(sound->play());
    clock.advance(0.4);
    EXPECT_TRUE(sound->isPlaying());
    clock.advance(0.2);
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_TRUE(sound->play());
    EXPECT_TRUE(sound->stop());
    EXPECT_FALSE(sound->stop());
    EXPECT_EQ(delegate.ends, (QList<bool>{true, false}));
    Clock::setCurrent(nullptr);

    EXPECT_EQ(Sound::soundWithContentsOfFile(appkit_test::fixture("missing.wav")), nullptr);
    EXPECT_EQ(Sound::soundWithContentsOfFile(appkit_test::fixture("not-a-sound.wav")), nullptr);
}
