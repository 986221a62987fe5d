#pragma once

#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Font.h"
#include "platform/ns/appkit/Geometry.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace ns
{

enum TextAlignment {
    LeftTextAlignment = 0,
    RightTextAlignment = 1,
    CenterTextAlignment = 2,
    JustifiedTextAlignment = 3,
    NaturalTextAlignment = 4,
};

Qt::Alignment qtHorizontalAlignment(int textAlignment);

// The attributes of a text: font, foreground colour, paragraph alignment,
// underline and the address it links to; what is not set takes the default
// of whoever draws the text.
struct TextAttributes {
    std::optional<Font> font;
    std::optional<Color> foregroundColor;
    std::optional<int> alignment;
    bool underline = false;
    QUrl link;
};

// A string with attributes. This layer keeps one set of attributes for the
// whole string, so the attributes at any index are those of the string.
class AttributedString
{
public:
    AttributedString() = default;
    explicit AttributedString(const QString& string, const TextAttributes& attributes = TextAttributes())
        : string_(string), attributes_(attributes)
    {
    }

    const QString& string() const { return string_; }
    int length() const { return int(string_.size()); }
    const TextAttributes& attributes() const { return attributes_; }
    TextAttributes attributesAtIndex(int) const { return attributes_; }

    // The size the text takes when drawn on lines of unlimited width.
    Size size() const;
    // Draws into the current graphics context: from the top of the rectangle,
    // wrapping words at its width; at a point, as one block whose lower-left corner it is.
    void drawInRect(const Rect& rect) const;
    void drawAtPoint(Point point) const;

    bool operator==(const AttributedString& other) const;

private:
    QFont font() const;

    QString string_;
    TextAttributes attributes_;
};

} // namespace ns
