#include "connection/StatisticsController/statisticsView.h"

#include "app/config/ConfigManager.h"
#include "tests/config/ConfigTestSupport.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace
{

struct StyleCase {
    const char* what;
    ns::Dictionary settings;
    ns::Color up;
    ns::Color coordinate;
    QString fontName;
    int textSize;
};

ns::Dictionary viewColors(const ns::Dictionary& colors)
{
    return {{"StatisticsViewColor", colors}};
}

// Counts the pixels of a colour on a row of the image from one column up to another.
int pixelsOnRow(const QImage& image, int y, int fromX, int toX, const QColor& color)
{
    int count = 0;
    for (int x = fromX; x < toX; ++x)
        count += image.pixelColor(x, y) == color ? 1 : 0;
    return count;
}

} // namespace

TEST(SpeedGraphStyle, ComesFromTheSettingsWithTheFallbacks)
{
    const ns::Color red = ns::Color::colorWithCalibratedRed(1, 0, 0);
    const ns::Color white = ns::Color::whiteColor();
    const ns::Color yellow = ns::Color::yellowColor();
    const ns::Color cyan = ns::Color::cyanColor();
    const StyleCase cases[] = {
        {"nothing set", {}, yellow, cyan, "Times Roman", 11},
        {"colour strings", viewColors({{"UpSpeedLine", "1 0 0"}, {"Coordinate", "[1 1 1 1]"}}), red, white,
         "Times Roman", 11},
        {"an unreadable colour keeps the default", viewColors({{"UpSpeedLine", "red"}}), yellow, cyan,
         "Times Roman", 11},
        {"the graph's own font",
         {{"StatisticsViewSettings",
           ns::Dictionary{{"TextFont", ns::Dictionary{{"FontName", "Sans"}, {"Size", 9}}}}},
          {"Main", ns::Dictionary{{"TextFont", ns::Dictionary{{"FontName", "Serif"}, {"FontSize", 14}}}}}},
         yellow,
         cyan,
         "Sans",
         9},
        {"the application font, its size cut",
         {{"Main", ns::Dictionary{{"TextFont", ns::Dictionary{{"FontName", "Serif"}, {"FontSize", 12.7}}}}}},
         yellow,
         cyan,
         "Serif",
         12},
        {"a size of its own beside the application's name",
         {{"StatisticsViewSettings", ns::Dictionary{{"TextFont", ns::Dictionary{{"Size", 13}}}}},
          {"Main", ns::Dictionary{{"TextFont", ns::Dictionary{{"FontName", "Serif"}}}}}},
         yellow,
         cyan,
         "Serif",
         13},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryAppBundle app(c.settings);
        ConfigManager settings;
        const SpeedGraphStyle style = SpeedGraphStyle::fromSettings(settings);
        EXPECT_EQ(style.up, c.up);
        EXPECT_EQ(style.coordinate, c.coordinate);
        EXPECT_EQ(style.down, ns::Color::greenColor());
        EXPECT_EQ(style.background, ns::Color::blackColor());
        EXPECT_EQ(style.fontName, c.fontName);
        EXPECT_EQ(style.textSize, c.textSize);
    }
}

TEST(SpeedGraphView, DrawsFrameDashedGridAndBothLines)
{
    TemporaryAppBundle app(
        {{"Statistics", ns::Dictionary{{"Statistics_SpeedUnitChange_IfSpeedGreat", true}}}});
    ConfigManager settings;
    auto view = std::make_unique<statisticsView>(ns::Rect(0, 0, 400, 200), settings);
    // The plot's size is known from the first drawing on.
    (void)view->grab();
    for (int i = 0; i < 12; ++i)
        view->setSpeedPointSend(float(20 * i), float(300 - 10 * i));
    EXPECT_FALSE(view->model().inMegabytes());
    view->setSpeedPointSend(2048, 100);
    EXPECT_TRUE(view->model().inMegabytes());
    view->setSpeedPointSend(40, 250);

    QTemporaryDir folder;
    const QString path = folder.filePath("speed-graph.png");
    ASSERT_TRUE(view->grab().save(path, "PNG"));
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(400, 200));
    const QColor cyan(Qt::cyan);
    // Qt rows run down: the plot spans x 35 to 390 and, from the bottom, y 30 to 190.
    EXPECT_EQ(image.pixelColor(395, 5), QColor(Qt::black));
    int frameRight = 0;
    for (int row = 10; row <= 170; ++row)
        frameRight += image.pixelColor(390, row) == cyan ? 1 : 0;
    EXPECT_EQ(frameRight, 161);
    EXPECT_EQ(pixelsOnRow(image, 10, 36, 280, cyan), 280 - 36);    // the top, left of the lines
    const int gridRow = 200 - 30 - 160 / 2;                        // the sixth grid line
    const int dashes = pixelsOnRow(image, gridRow, 36, 389, cyan); // one dot in seven
    EXPECT_GE(dashes, 48);
    EXPECT_LE(dashes, 52);
    // The newest sample at the right: download 250 of the scale's 300 (the 300 KB/s sample).
    const int x = int(35 + 355 - (355.0 + 10) / 50 + 5);
    const int y = 200 - int(30 + 160.0 * 250 / 300);
    bool green = false;
    for (int dy = -1; dy <= 1; ++dy)
        green = green || image.pixelColor(x, y + dy) == QColor(Qt::green);
    EXPECT_TRUE(green);
    int yellow = 0;
    for (int row = 10; row < 170; ++row)
        yellow += pixelsOnRow(image, row, 36, 389, QColor(Qt::yellow));
    EXPECT_GT(yellow, 40);
}
