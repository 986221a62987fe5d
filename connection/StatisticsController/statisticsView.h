#pragma once

#include "connection/StatisticsController/SpeedGraphModel.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/View.h"

#include <QString>

class ConfigManager;

// Colours and font of the speed graph, read once from the settings: module
// "StatisticsViewColor" for the colours, "StatisticsViewSettings"/"TextFont"
// for the font, falling back on the application font and then on fixed values.
struct SpeedGraphStyle {
    ns::Color up = ns::Color::yellowColor();
    ns::Color down = ns::Color::greenColor();
    ns::Color background = ns::Color::blackColor();
    ns::Color coordinate = ns::Color::cyanColor();
    QString fontName = QStringLiteral("Times Roman");
    int textSize = 11;

    static SpeedGraphStyle fromSettings(ConfigManager& settings);
};

// The live speed graph of the Internet view: the upload and download speeds
// of the running connection as two lines over the last samples, under a
// legend, with a dashed grid and the values of the scale at its left.
class statisticsView : public ns::View
{
public:
    statisticsView(const ns::Rect& frame, ConfigManager& settings);

    // One sample in the caller's unit; a speed above 1024 shows in MB/s when
    // "Statistics"/"Statistics_SpeedUnitChange_IfSpeedGreat" is on.
    void setSpeedPointSend(float send, float receive);
    // Clears the graph.
    void setUndisplay();

    const SpeedGraphModel& model() const { return model_; }
    const SpeedGraphStyle& style() const { return style_; }

    void drawRect(const ns::Rect& dirtyRect) override;

private:
    void drawLegend() const;
    void drawAxis() const;
    void drawLines() const;

    ConfigManager& settings_;
    SpeedGraphStyle style_;
    SpeedGraphModel model_;
};
