#include "platform/ns/appkit/Cell.h"

#include "platform/ns/Value.h"
#include "platform/ns/appkit/View.h"

namespace ns
{

namespace
{

Value numberOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return Value(value.toString());
    return Value(value.toDouble());
}

} // namespace

int intValueOf(const QVariant& value)
{
    return numberOf(value).intValue();
}

double doubleValueOf(const QVariant& value)
{
    return numberOf(value).doubleValue();
}

Cell::Cell() : font_(Font::systemFontOfSize(0)) {}

void Cell::setObjectValue(const QVariant& value)
{
    value_ = value;
    changed();
}

void Cell::setEnabled(bool enabled)
{
    enabled_ = enabled;
    changed();
}

void Cell::setHighlighted(bool highlighted)
{
    if (highlighted_ == highlighted)
        return;
    highlighted_ = highlighted;
    changed();
}

void Cell::setFont(const Font& font)
{
    font_ = font;
    changed();
}

void Cell::setAlignment(int alignment)
{
    alignment_ = alignment;
    changed();
}

void Cell::setControlView(View* view)
{
    controlView_ = view;
}

void Cell::drawWithFrame(const Rect&, View*) {}

Size Cell::cellSize() const
{
    return {};
}

void Cell::changed()
{
    if (controlView_)
        controlView_->setNeedsDisplay();
}

} // namespace ns
