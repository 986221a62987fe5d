#pragma once

#include <QList>

#include <initializer_list>

namespace ns
{
class Control;
class Object;
class TextField;
} // namespace ns

// The states the profile editor's choices put their fields in: a choice of
// "automatic" closes its fields, "use the following" opens them.
namespace profile_fields
{

// Without formatter, emptied and disabled.
void closeFields(std::initializer_list<ns::TextField*> fields);
void openFields(std::initializer_list<ns::TextField*> fields);
// Opened; when every one of them is empty they also get the IP-address formatter.
void openAddressFields(std::initializer_list<ns::TextField*> fields);
// Null controls are skipped.
void setControlsEnabled(const QList<ns::Control*>& controls, bool enabled);
// The selected row of a radio group, the state of a check box; 0 for anything else.
int selectedRowOf(ns::Object* sender);
int stateOf(ns::Object* sender);

} // namespace profile_fields
