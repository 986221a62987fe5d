#include "app/ui/widgets/TextFieldString.h"

#include "platform/ns/appkit/TextField.h"

#include <QLineEdit>

void setTextFieldString(ns::TextField* textField, const QString& string, bool replace)
{
    if (!textField || string.isNull())
        return;
    QLineEdit* editor = textField->editor();
    if (editor && editor->hasFocus()) {
        if (replace) {
            textField->setStringValue(string);
        } else {
            editor->insert(string);
            textField->setStringValue(editor->text());
        }
        editor->end(false);
        return;
    }
    textField->setStringValue(replace ? string : textField->stringValue() + string);
}
