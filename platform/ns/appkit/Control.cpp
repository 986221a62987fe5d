#include "platform/ns/appkit/Control.h"

#include "platform/ns/appkit/Application.h"

namespace ns
{

Control::Control(const Rect& frame) : View(frame), font_(Font::systemFontOfSize(0)) {}

bool Control::sendAction(const QString& action, Object* target)
{
    return Application::sharedApplication().sendAction(action, target, this);
}

void Control::setEnabled(bool enabled)
{
    if (Cell* c = cell())
        c->setEnabled(enabled);
    QWidget::setEnabled(enabled);
    update();
}

QVariant Control::objectValue() const
{
    return cell() ? cell()->objectValue() : QVariant();
}

void Control::setObjectValue(const QVariant& value)
{
    if (Cell* c = cell())
        c->setObjectValue(value);
}

Font Control::font() const
{
    return cell() ? cell()->font() : font_;
}

void Control::setFont(const Font& font)
{
    font_ = font;
    if (Cell* c = cell())
        c->setFont(font);
    QWidget::setFont(font.qFont());
}

int Control::alignment() const
{
    return cell() ? cell()->alignment() : NaturalTextAlignment;
}

void Control::setAlignment(int alignment)
{
    if (Cell* c = cell())
        c->setAlignment(alignment);
}

void Control::sizeToFit()
{
    if (Cell* c = cell())
        setFrameSize(c->cellSize());
}

void Control::drawRect(const Rect&)
{
    if (Cell* c = cell())
        c->drawWithFrame(bounds(), this);
}

} // namespace ns
