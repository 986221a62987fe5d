#include "connection/StatisticsController/statisticsView.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "app/ui/widgets/NSColorExt.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/AttributedString.h"
#include "platform/ns/appkit/BezierPath.h"
#include "platform/ns/appkit/Font.h"
#include "platform/ns/appkit/GraphicsContext.h"

#include <cmath>

namespace
{

constexpr double kLegendY = 5;
constexpr double kLabelFontSize = 10;
constexpr int kGridParts = 12;
constexpr double kGridDash[] = {1, 6};
constexpr double kGridDashPhase = 6;

void readColor(const ConfigManager& settings, const char* key, ns::Color& color)
{
    const ns::Value value =
        settings.getConfigurationByModuleAndKey(QStringLiteral("StatisticsViewColor"), QLatin1String(key));
    // An unreadable colour keeps the default, so the graph never loses a line.
    if (const auto read = NSColorExt::colorWithNSString(value.stringValue()))
        color = *read;
}

ns::Font fontOfSize(const QString& name, double size)
{
    return ns::Font::fontWithName(name, size).value_or(ns::Font::systemFontOfSize(size));
}

ns::Point at(const QPointF& point)
{
    return {point.x(), point.y()};
}

} // namespace

SpeedGraphStyle SpeedGraphStyle::fromSettings(ConfigManager& settings)
{
    SpeedGraphStyle style;
    readColor(settings, "UpSpeedLine", style.up);
    readColor(settings, "DownSpeedLine", style.down);
    readColor(settings, "Background", style.background);
    readColor(settings, "Coordinate", style.coordinate);

    const ns::Dictionary font = settings
                                    .getConfigurationByModuleAndKey(QStringLiteral("StatisticsViewSettings"),
                                                                    QStringLiteral("TextFont"))
                                    .toDictionary();
    // The application font stands in for what the graph's own font leaves out.
    const ns::Dictionary appFont = ConfigService(settings).getUIFont().value_or(ns::Dictionary());
    if (font.contains(QStringLiteral("FontName")))
        style.fontName = font.value(QStringLiteral("FontName")).stringValue();
    else if (appFont.contains(QStringLiteral("FontName")))
        style.fontName = appFont.value(QStringLiteral("FontName")).stringValue();
    if (font.contains(QStringLiteral("Size")))
        style.textSize = font.value(QStringLiteral("Size")).intValue();
    else if (appFont.contains(QStringLiteral("FontSize")))
        style.textSize = int(std::trunc(appFont.value(QStringLiteral("FontSize")).doubleValue()));
    return style;
}

statisticsView::statisticsView(const ns::Rect& frame, ConfigManager& settings)
    : ns::View(frame), settings_(settings), style_(SpeedGraphStyle::fromSettings(settings))
{
}

void statisticsView::setSpeedPointSend(float send, float receive)
{
    const bool unitChange =
        settings_
            .getConfigurationByModuleAndKey(QStringLiteral("Statistics"),
                                            QStringLiteral("Statistics_SpeedUnitChange_IfSpeedGreat"))
            .boolValue();
    model_.setSpeedPointSend(send, receive, unitChange);
    setNeedsDisplay();
}

void statisticsView::setUndisplay()
{
    model_.setUndisplay();
    setNeedsDisplay();
}

void statisticsView::drawRect(const ns::Rect&)
{
    const ns::Rect area = bounds();
    model_.setViewSize(area.width(), area.height());
    style_.background.setFill();
    ns::rectFill(area);
    drawLegend();

    style_.coordinate.setStroke();
    ns::BezierPath frame =
        ns::BezierPath::bezierPathWithRect({SpeedGraphModel::kLeftMargin, SpeedGraphModel::kBottomMargin,
                                            model_.plotWidth(), model_.plotHeight()});
    frame.setLineWidth(0);
    frame.stroke();
    drawAxis();
    drawLines();
}

void statisticsView::drawLegend() const
{
    const double size = style_.textSize;
    const bool megabytes = model_.inMegabytes();
    const ns::TextAttributes text{fontOfSize(style_.fontName, size), style_.coordinate, {}, false, {}};
    const ns::AttributedString upLabel(
        Map_Name_Item_of_IndexString(megabytes ? QStringLiteral("Upload Speed(MB/s)")
                                               : QStringLiteral("Upload Speed(KB/s)")),
        text);
    const ns::AttributedString downLabel(
        Map_Name_Item_of_IndexString(megabytes ? QStringLiteral("Download Speed(MB/s)")
                                               : QStringLiteral("Download Speed(KB/s)")),
        text);

    style_.up.setFill();
    ns::rectFill({10, kLegendY, size, size});
    upLabel.drawAtPoint({size + 11, kLegendY});
    const double downX = size + 11 + upLabel.size().width + 10;
    style_.down.setFill();
    ns::rectFill({downX, kLegendY, size, size});
    downLabel.drawAtPoint({downX + 1 + size, kLegendY});
}

void statisticsView::drawAxis() const
{
    const double left = SpeedGraphModel::kLeftMargin;
    const double bottom = SpeedGraphModel::kBottomMargin;
    const double width = model_.plotWidth();
    const double rowHeight = model_.plotHeight() / kGridParts;
    const ns::TextAttributes text{
        fontOfSize(style_.fontName, kLabelFontSize), style_.coordinate, {}, false, {}};
    const auto values = model_.labelValues();
    for (int k = 0; k <= kGridParts; ++k) {
        const ns::AttributedString label(QString::asprintf("%0.1f", double(values[std::size_t(k)])), text);
        label.drawAtPoint({left - 30, bottom - 5 + k * rowHeight});
    }
    ns::BezierPath grid;
    for (int k = 1; k < kGridParts; ++k) {
        grid.moveToPoint({left, bottom + k * rowHeight});
        grid.lineToPoint({left + width, bottom + k * rowHeight});
    }
    grid.setLineDash(kGridDash, 2, kGridDashPhase);
    grid.stroke();
}

void statisticsView::drawLines() const
{
    const int count = model_.pointCount() - 1;
    if (count < 1)
        return;
    ns::BezierPath up;
    ns::BezierPath down;
    up.setLineWidth(0);
    down.setLineWidth(0);
    up.moveToPoint(at(model_.upPoint(0)));
    down.moveToPoint(at(model_.downPoint(0)));
    for (int i = 1; i < count; ++i) {
        up.lineToPoint(at(model_.upPoint(i)));
        down.lineToPoint(at(model_.downPoint(i)));
    }
    style_.up.setStroke();
    up.stroke();
    style_.down.setStroke();
    down.stroke();
}
