#pragma once

#include "platform/ns/appkit/AttributedString.h"
#include "platform/ns/appkit/Color.h"

#include <optional>

// A button or button cell whose title colour survives a change of title
// (NSButtonCellExt, NSButtonExt, NSPopUpButtonExt).
class TitleColored
{
public:
    virtual ~TitleColored() = default;

    const std::optional<ns::Color>& titleColor() const { return titleColor_; }
    // Stores the colour and, when there is one and a title, shows the title in it.
    virtual void setTitleColor(const std::optional<ns::Color>& color) = 0;

protected:
    // Stores the colour and rebuilds the attributed title of the titled
    // object (a button or a button cell) from its plain title with the
    // colour as foreground colour.
    template <class Titled> void applyTitleColor(Titled& titled, const std::optional<ns::Color>& color)
    {
        titleColor_ = color;
        const QString title = titled.title();
        if (!color || title.isEmpty())
            return;
        ns::TextAttributes attributes = titled.attributedTitle().attributesAtIndex(0);
        attributes.foregroundColor = *color;
        titled.setAttributedTitle(ns::AttributedString(title, attributes));
    }

private:
    std::optional<ns::Color> titleColor_;
};
