#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace ns
{

// A colour with red, green, blue and alpha components from 0 to 1.
class Color
{
public:
    Color() : color_(Qt::black) {}
    explicit Color(const QColor& color) : color_(color) {}

    static Color colorWithCalibratedRed(double red, double green, double blue, double alpha = 1.0);
    static Color colorWithDeviceRed(double red, double green, double blue, double alpha = 1.0);
    static Color colorWithCalibratedWhite(double white, double alpha = 1.0);
    // Core Image's textual form: "r g b" or "r g b a", blank-separated numbers
    // from 0 to 1, optionally inside square brackets; nothing when unreadable.
    static std::optional<Color> colorWithCIColorString(const QString& string);

    static Color blackColor() { return Color(Qt::black); }
    static Color whiteColor() { return Color(Qt::white); }
    static Color clearColor() { return Color(Qt::transparent); }
    static Color grayColor() { return colorWithCalibratedWhite(0.5); }
    static Color lightGrayColor() { return colorWithCalibratedWhite(2.0 / 3.0); }
    static Color darkGrayColor() { return colorWithCalibratedWhite(1.0 / 3.0); }
    static Color redColor() { return Color(Qt::red); }
    static Color greenColor() { return Color(Qt::green); }
    static Color blueColor() { return Color(Qt::blue); }
    static Color yellowColor() { return Color(Qt::yellow); }
    static Color cyanColor() { return Color(Qt::cyan); }
    // Colours of the desktop's theme.
    static Color controlColor();
    static Color controlBackgroundColor();
    static Color controlTextColor();
    static Color disabledControlTextColor();
    static Color textColor();
    static Color textBackgroundColor();
    static Color selectedTextBackgroundColor();
    static Color selectedTextColor();
    static Color windowBackgroundColor();
    static Color gridColor();

    double redComponent() const { return color_.redF(); }
    double greenComponent() const { return color_.greenF(); }
    double blueComponent() const { return color_.blueF(); }
    double alphaComponent() const { return color_.alphaF(); }
    Color colorWithAlphaComponent(double alpha) const;

    // Makes this the fill and stroke colour (set), or one of them, of the current graphics context.
    void set() const;
    void setFill() const;
    void setStroke() const;

    const QColor& qColor() const { return color_; }
    bool operator==(const Color& other) const { return color_ == other.color_; }

private:
    QColor color_;
};

} // namespace ns
