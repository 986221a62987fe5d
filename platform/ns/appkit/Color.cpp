#include "platform/ns/appkit/Color.h"

#include "platform/ns/appkit/GraphicsContext.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace ns
{

namespace
{

double unit(double value)
{
    return std::clamp(value, 0.0, 1.0);
}

Color themeColor(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active)
{
    return Color(QApplication::palette().color(group, role));
}

} // namespace

Color Color::colorWithCalibratedRed(double red, double green, double blue, double alpha)
{
    return Color(
        QColor::fromRgbF(float(unit(red)), float(unit(green)), float(unit(blue)), float(unit(alpha))));
}

Color Color::colorWithDeviceRed(double red, double green, double blue, double alpha)
{
    return colorWithCalibratedRed(red, green, blue, alpha);
}

Color Color::colorWithCalibratedWhite(double white, double alpha)
{
    return colorWithCalibratedRed(white, white, white, alpha);
}

std::optional<Color> Color::colorWithCIColorString(const QString& string)
{
    QString text = string.trimmed();
    if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
        text = text.mid(1, text.size() - 2);
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 3 && parts.size() != 4)
        return std::nullopt;
    double components[4] = {0, 0, 0, 1};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        components[i] = parts[i].toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return colorWithCalibratedRed(components[0], components[1], components[2], components[3]);
}

Color Color::controlColor()
{
    return themeColor(QPalette::Button);
}
Color Color::controlBackgroundColor()
{
    return themeColor(QPalette::Base);
}
Color Color::controlTextColor()
{
    return themeColor(QPalette::ButtonText);
}
Color Color::disabledControlTextColor()
{
    return themeColor(QPalette::ButtonText, QPalette::Disabled);
}
Color Color::textColor()
{
    return themeColor(QPalette::Text);
}
Color Color::textBackgroundColor()
{
    return themeColor(QPalette::Base);
}
Color Color::selectedTextBackgroundColor()
{
    return themeColor(QPalette::Highlight);
}
Color Color::selectedTextColor()
{
    return themeColor(QPalette::HighlightedText);
}
Color Color::windowBackgroundColor()
{
    return themeColor(QPalette::Window);
}
Color Color::gridColor()
{
    return themeColor(QPalette::Mid);
}

Color Color::colorWithAlphaComponent(double alpha) const
{
    QColor color = color_;
    color.setAlphaF(float(unit(alpha)));
    return Color(color);
}

void Color::set() const
{
    setFill();
    setStroke();
}

void Color::setFill() const
{
    if (GraphicsContext* context = GraphicsContext::current())
        context->setFillColor(*this);
}

void Color::setStroke() const
{
    if (GraphicsContext* context = GraphicsContext::current())
        context->setStrokeColor(*this);
}

} // namespace ns
