#include "platform/ns/appkit/DatePicker.h"

#include <QCalendarWidget>

namespace ns
{

DatePicker::DatePicker(const Rect& frame) : Control(frame), calendar_(new QCalendarWidget(this))
{
    calendar_->setGeometry(rect());
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    const auto picked = [this](QDate) { sendAction(action(), target()); };
    QObject::connect(calendar_, &QCalendarWidget::clicked, calendar_, picked);
    QObject::connect(calendar_, &QCalendarWidget::activated, calendar_, picked);
}

DatePicker::~DatePicker() = default;

QDate DatePicker::dateValue() const
{
    return calendar_->selectedDate();
}

void DatePicker::setDateValue(const QDate& date)
{
    if (date.isValid())
        calendar_->setSelectedDate(date);
}

QVariant DatePicker::objectValue() const
{
    return dateValue().toString(Qt::ISODate);
}

void DatePicker::setObjectValue(const QVariant& value)
{
    setDateValue(value.typeId() == QMetaType::QDate ? value.toDate()
                                                    : QDate::fromString(value.toString(), Qt::ISODate));
}

void DatePicker::resizeEvent(QResizeEvent*)
{
    calendar_->setGeometry(rect());
}

} // namespace ns
