#include "platform/ns/appkit/DatePicker.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QSignalBlocker>

#include <utility>

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

void DatePicker::setDatePickerStyle(DatePickerStyle style)
{
    if (style == datePickerStyle())
        return;
    if (style == ClockAndCalendarDatePickerStyle) {
        calendar_->setSelectedDate(field_->date());
        delete std::exchange(field_, nullptr);
        calendar_->show();
        return;
    }
    calendar_->hide();
    field_ = new QDateEdit(calendar_->selectedDate(), this);
    field_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    field_->setCalendarPopup(true);
    field_->setGeometry(rect());
    QObject::connect(field_, &QDateEdit::dateChanged, field_,
                     [this](QDate) { sendAction(action(), target()); });
    field_->show();
}

QDate DatePicker::dateValue() const
{
    return field_ ? field_->date() : calendar_->selectedDate();
}

void DatePicker::setDateValue(const QDate& date)
{
    if (!date.isValid())
        return;
    calendar_->setSelectedDate(date);
    if (field_) {
        const QSignalBlocker quiet(field_);
        field_->setDate(date);
    }
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
    if (field_)
        field_->setGeometry(rect());
}

} // namespace ns
