#include "connection/LimitControls.h"

#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/PopUpButton.h"
#include "platform/ns/appkit/TextField.h"

namespace limit_controls
{

namespace
{

constexpr double kRowHeight = 22;
constexpr double kRowGap = 8;

template <typename Control>
Control* place(ns::Box* in, Control* control, double x, double fromTop, double width, double height)
{
    control->setFrame(ns::Rect(x, in->contentView()->bounds().size.height - fromTop - height, width, height));
    in->contentView()->addSubview(control);
    return control;
}

ns::Font font()
{
    return ns::Font::systemFontOfSize(12);
}

} // namespace

ns::Box* box(ns::View* parent, const ns::Rect& frame, const QString& title)
{
    auto* made = new ns::Box(frame);
    made->setTitle(title);
    parent->addSubview(made);
    return made;
}

ns::TextField* label(ns::Box* in, double x, double fromTop, double width)
{
    return place(in, ns::TextField::labelWithFrame(ns::Rect(), font()), x, fromTop + 3, width, 17);
}

ns::Button* checkBox(ns::Box* in, double x, double fromTop, double width, ns::Object* target,
                     const QString& action)
{
    auto* check = place(in, new ns::Button(ns::Rect()), x, fromTop, width, 20);
    check->setButtonType(ns::SwitchButton);
    check->setFont(font());
    check->setTarget(target);
    check->setAction(action);
    return check;
}

ns::DatePicker* datePicker(ns::Box* in, double x, double fromTop, double width)
{
    auto* picker = place(in, new ns::DatePicker(ns::Rect()), x, fromTop - 2, width, 24);
    picker->setDatePickerStyle(ns::TextFieldAndStepperDatePickerStyle);
    return picker;
}

ns::PopUpButton* popUp(ns::Box* in, double x, double fromTop, double width, const QStringList& titles)
{
    auto* menu = place(in, new ns::PopUpButton(ns::Rect()), x, fromTop - 1, width, 24);
    menu->addItemsWithTitles(titles);
    return menu;
}

ns::Button* pushButton(ns::View* parent, const ns::Rect& frame, ns::Object* target, const QString& action)
{
    auto* button = new ns::Button(frame);
    button->setBezelStyle(ns::RoundedBezelStyle);
    button->setTarget(target);
    button->setAction(action);
    parent->addSubview(button);
    return button;
}

ns::Matrix* radios(ns::Box* in, double x, double fromTop, double width, int rows, ns::Object* target,
                   const QString& action)
{
    auto* radio = place(in, new ns::Matrix(ns::Rect(), ns::RadioModeMatrix, {}, rows, 1), x, fromTop, width,
                        rows * kRowHeight + (rows - 1) * kRowGap);
    radio->setCellSize(ns::Size(width, kRowHeight));
    radio->setIntercellSpacing(ns::Size(4, kRowGap));
    radio->setFont(font());
    radio->setTarget(target);
    radio->setAction(action);
    return radio;
}

LimitRows limitRows(ns::Box* in, double fromTop, ns::Object* target, const QString& action,
                    ns::TextFieldDelegate* delegate)
{
    LimitRows rows;
    rows.radio = radios(in, 10, fromTop, 190, 2, target, action);
    ns::TextField** fields[] = {&rows.dataField, &rows.timeField};
    ns::TextField** units[] = {&rows.dataUnit, &rows.timeUnit};
    for (int row = 0; row < 2; ++row) {
        const double top = fromTop + row * (kRowHeight + kRowGap);
        auto* field = place(in, new ns::TextField(ns::Rect()), 206, top, 100, kRowHeight);
        field->setFont(font());
        field->setDelegate(delegate);
        *fields[row] = field;
        *units[row] = label(in, 314, top, 70);
    }
    return rows;
}

} // namespace limit_controls
