#pragma once

#include "platform/ns/appkit/Control.h"

#include <QDate>

class QCalendarWidget;
class QDateEdit;

namespace ns
{

enum DatePickerStyle { TextFieldAndStepperDatePickerStyle = 0, ClockAndCalendarDatePickerStyle = 1 };

// A calendar from which the user picks a day. Picking one (a click on a
// day, or Return on the selected day) sets the date and sends the action.
// In the text-field-and-stepper style the day shows as "yyyy-MM-dd" in a
// field whose arrows step it and whose button drops the calendar down; every
// change by the user sends the action.
class DatePicker : public Control
{
public:
    explicit DatePicker(const Rect& frame = Rect());
    ~DatePicker() override;

    DatePickerStyle datePickerStyle() const
    {
        return field_ ? TextFieldAndStepperDatePickerStyle : ClockAndCalendarDatePickerStyle;
    }
    void setDatePickerStyle(DatePickerStyle style);

    QDate dateValue() const;
    // Shows the day; an invalid date changes nothing.
    void setDateValue(const QDate& date);

    // The date as ISO text ("yyyy-MM-dd").
    QVariant objectValue() const override;
    void setObjectValue(const QVariant& value) override;

    // The Qt calendar that shows the month, and the field of the text style (null in the calendar style).
    QCalendarWidget* calendar() const { return calendar_; }
    QDateEdit* field() const { return field_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QCalendarWidget* calendar_;
    QDateEdit* field_ = nullptr;
};

} // namespace ns
