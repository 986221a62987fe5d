#pragma once

#include "platform/ns/appkit/Control.h"

#include <QDate>

class QCalendarWidget;

namespace ns
{

// A calendar from which the user picks a day. Picking one (a click on a
// day, or Return on the selected day) sets the date and sends the action.
class DatePicker : public Control
{
public:
    explicit DatePicker(const Rect& frame = Rect());
    ~DatePicker() override;

    QDate dateValue() const;
    // Shows the day; an invalid date changes nothing.
    void setDateValue(const QDate& date);

    // The date as ISO text ("yyyy-MM-dd").
    QVariant objectValue() const override;
    void setObjectValue(const QVariant& value) override;

    // The Qt calendar that shows the month.
    QCalendarWidget* calendar() const { return calendar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QCalendarWidget* calendar_;
};

} // namespace ns
