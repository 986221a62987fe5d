#pragma once

#include "platform/ns/appkit/Geometry.h"

#include <QString>

namespace ns
{
class Box;
class Button;
class DatePicker;
class Matrix;
class Object;
class PopUpButton;
class TextField;
class TextFieldDelegate;
class View;
} // namespace ns

// The controls of the Limits window and the Volume Limit page, laid out in
// titled boxes from the top of each box's content.
namespace limit_controls
{

// A box with its title already set, so its content keeps the room below the title.
ns::Box* box(ns::View* parent, const ns::Rect& frame, const QString& title);
ns::TextField* label(ns::Box* in, double x, double fromTop, double width);
ns::Button* checkBox(ns::Box* in, double x, double fromTop, double width, ns::Object* target,
                     const QString& action);
ns::DatePicker* datePicker(ns::Box* in, double x, double fromTop, double width);
ns::PopUpButton* popUp(ns::Box* in, double x, double fromTop, double width, const QStringList& titles);
ns::Button* pushButton(ns::View* parent, const ns::Rect& frame, ns::Object* target, const QString& action);
// A radio of rows one under the other, each height high with a gap.
ns::Matrix* radios(ns::Box* in, double x, double fromTop, double width, int rows, ns::Object* target,
                   const QString& action);

// The limit-type radio (row 0 data, row 1 time) with a field and a unit
// label beside each row; the fields tell the delegate of each change.
struct LimitRows {
    ns::Matrix* radio = nullptr;
    ns::TextField* dataField = nullptr;
    ns::TextField* timeField = nullptr;
    ns::TextField* dataUnit = nullptr;
    ns::TextField* timeUnit = nullptr;
};
LimitRows limitRows(ns::Box* in, double fromTop, ns::Object* target, const QString& action,
                    ns::TextFieldDelegate* delegate);

} // namespace limit_controls
