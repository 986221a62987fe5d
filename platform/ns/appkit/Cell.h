#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/appkit/AttributedString.h"
#include "platform/ns/appkit/Font.h"
#include "platform/ns/appkit/Geometry.h"

#include <QPointer>
#include <QVariant>

namespace ns
{

class View;

// A control's value read as a number, as Cocoa reads it: a string is scanned
// from its start ("12abc" is 12, " 2.5" is 2.5), anything else converts as a number.
int intValueOf(const QVariant& value);
double doubleValueOf(const QVariant& value);

// What a control shows and how it draws it: a value (string, number or
// image), font, alignment, enabled and highlighted state, and the target and
// action of a matrix cell. Cells draw through the current GraphicsContext.
class Cell : public Object
{
public:
    Cell();

    QVariant objectValue() const { return value_; }
    virtual void setObjectValue(const QVariant& value);
    QString stringValue() const { return value_.toString(); }
    void setStringValue(const QString& value) { setObjectValue(value); }
    int intValue() const { return intValueOf(value_); }
    void setIntValue(int value) { setObjectValue(value); }
    double doubleValue() const { return doubleValueOf(value_); }
    void setDoubleValue(double value) { setObjectValue(value); }

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    const Font& font() const { return font_; }
    virtual void setFont(const Font& font);
    int alignment() const { return alignment_; }
    void setAlignment(int alignment);

    Object* target() const { return target_; }
    void setTarget(Object* target) { target_ = target; }
    const QString& action() const { return action_; }
    void setAction(const QString& action) { action_ = action; }

    // The view the cell draws in, redrawn when the cell changes.
    View* controlView() const { return controlView_; }
    void setControlView(View* view);

    // Draws the cell in the rectangle of the view's current graphics context.
    virtual void drawWithFrame(const Rect& cellFrame, View* controlView);
    // The smallest size that shows the whole content.
    virtual Size cellSize() const;

protected:
    // Redraws the control view.
    void changed();

private:
    QVariant value_;
    bool enabled_ = true;
    bool highlighted_ = false;
    int tag_ = 0;
    Font font_;
    int alignment_ = NaturalTextAlignment;
    Object* target_ = nullptr;
    QString action_;
    QPointer<View> controlView_;
};

} // namespace ns
