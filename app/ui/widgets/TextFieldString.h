#pragma once

#include <QString>

namespace ns
{
class TextField;
}

// Puts the string into the field (nothing for a null field or string).
// While the user edits the field, replace sets the editor's whole text and
// otherwise the string replaces the editor's selection, and the editor
// scrolls to the end; else replace sets the field's value and otherwise the
// string is appended to it.
void setTextFieldString(ns::TextField* textField, const QString& string, bool replace);
