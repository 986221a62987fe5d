#pragma once

#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Font.h"
#include "platform/ns/appkit/View.h"

namespace ns
{

enum BoxType { BoxPrimary = 0, BoxSecondary = 1, BoxSeparator = 2, BoxOldStyle = 3, BoxCustom = 4 };
enum BorderType { NoBorder = 0, LineBorder = 1, BezelBorder = 2, GrooveBorder = 3 };
enum TitlePosition {
    NoTitle = 0,
    AboveTop = 1,
    AtTop = 2,
    BelowTop = 3,
    AboveBottom = 4,
    AtBottom = 5,
    BelowBottom = 6
};

// A titled frame around a content view; the box's own subviews go into
// contentView(). A separator box draws a line across its longer side.
class Box : public View
{
public:
    explicit Box(const Rect& frame = Rect());

    QString title() const { return title_; }
    void setTitle(const QString& title);
    int titlePosition() const { return titlePosition_; }
    void setTitlePosition(int position);
    Font titleFont() const { return titleFont_; }
    void setTitleFont(const Font& font);
    int borderType() const { return borderType_; }
    void setBorderType(int type);
    int boxType() const { return boxType_; }
    void setBoxType(int type);
    Size contentViewMargins() const { return margins_; }
    void setContentViewMargins(Size margins);
    // Colours of a custom box.
    Color fillColor() const { return fillColor_; }
    void setFillColor(const Color& color);
    Color borderColor() const { return borderColor_; }
    void setBorderColor(const Color& color);

    View* contentView() const { return contentView_; }
    // The border's rectangle and the title's rectangle, in the box's coordinates.
    Rect borderRect() const;
    Rect titleRect() const;

    void setFrame(const Rect& frame) override;
    void drawRect(const Rect& dirtyRect) override;

private:
    void layout();
    double titleHeight() const;
    double borderWidth() const;

    QString title_;
    int titlePosition_ = AtTop;
    Font titleFont_;
    int borderType_ = GrooveBorder;
    int boxType_ = BoxPrimary;
    Size margins_{5, 5};
    Color fillColor_ = Color::clearColor();
    Color borderColor_ = Color::blackColor();
    View* contentView_;
};

} // namespace ns
