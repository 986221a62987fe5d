#pragma once

#include "platform/ns/appkit/Cell.h"
#include "platform/ns/appkit/View.h"

namespace ns
{

// A view the user acts on. It sends its action to its target (see
// Application for the scheme) and shows its value through its cell, if it has one.
class Control : public View
{
public:
    explicit Control(const Rect& frame = Rect());

    // The cell that holds the control's value and draws it; null for
    // controls that draw themselves otherwise.
    virtual Cell* cell() const { return nullptr; }

    Object* target() const { return target_; }
    void setTarget(Object* target) { target_ = target; }
    const QString& action() const { return action_; }
    void setAction(const QString& action) { action_ = action; }
    // Sends the action to the target (or along the responder chain) with this control as sender.
    bool sendAction(const QString& action, Object* target);

    int tag() const override { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isEnabled() const { return QWidget::isEnabled(); }
    virtual void setEnabled(bool enabled);

    virtual QVariant objectValue() const;
    virtual void setObjectValue(const QVariant& value);
    QString stringValue() const { return objectValue().toString(); }
    void setStringValue(const QString& value) { setObjectValue(value); }
    int intValue() const { return intValueOf(objectValue()); }
    void setIntValue(int value) { setObjectValue(value); }
    double doubleValue() const { return doubleValueOf(objectValue()); }
    void setDoubleValue(double value) { setObjectValue(value); }

    virtual Font font() const;
    virtual void setFont(const Font& font);
    virtual int alignment() const;
    virtual void setAlignment(int alignment);

    // Resizes the control to its cell's size, keeping its origin.
    virtual void sizeToFit();

    // Draws the cell over the bounds.
    void drawRect(const Rect& dirtyRect) override;

private:
    Object* target_ = nullptr;
    QString action_;
    int tag_ = 0;
    Font font_;
};

} // namespace ns
