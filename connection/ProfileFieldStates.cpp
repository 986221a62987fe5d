#include "connection/ProfileFieldStates.h"

#include "app/utils/IPAddressFormatter.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TextField.h"

namespace profile_fields
{

void closeFields(std::initializer_list<ns::TextField*> fields)
{
    for (ns::TextField* field : fields) {
        field->setFormatter(nullptr);
        field->setStringValue(QString());
        field->setEnabled(false);
    }
}

void openFields(std::initializer_list<ns::TextField*> fields)
{
    for (ns::TextField* field : fields)
        field->setEnabled(true);
}

void openAddressFields(std::initializer_list<ns::TextField*> fields)
{
    openFields(fields);
    for (ns::TextField* field : fields) {
        if (!field->stringValue().isEmpty())
            return;
    }
    for (ns::TextField* field : fields)
        field->setFormatter(IPAddressFormatter::defaultIPAddressFormatter());
}

void setControlsEnabled(const QList<ns::Control*>& controls, bool enabled)
{
    for (ns::Control* control : controls) {
        if (control)
            control->setEnabled(enabled);
    }
}

int selectedRowOf(ns::Object* sender)
{
    auto* matrix = dynamic_cast<ns::Matrix*>(sender);
    return matrix ? matrix->selectedRow() : 0;
}

int stateOf(ns::Object* sender)
{
    auto* button = dynamic_cast<ns::Button*>(sender);
    return button ? button->state() : 0;
}

} // namespace profile_fields
