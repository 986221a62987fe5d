#pragma once

#include <QString>

#include <functional>

class QLineEdit;

namespace ns
{

class Control;
class Notification;
class TextFieldDelegate;

// Reports the user's editing in a line editor as a text control's
// notifications: begin (first change), change (each change) and end (Return
// or focus leaving after a change); Return also sends the control's action.
class TextEditing
{
public:
    TextEditing(QLineEdit* editor, Control* control, std::function<TextFieldDelegate*()> delegate,
                std::function<void(const QString&)> textChanged);
    bool isEditing() const { return editing_; }

private:
    void post(const QString& name, void (TextFieldDelegate::*method)(const Notification&));

    Control* control_;
    std::function<TextFieldDelegate*()> delegate_;
    bool editing_ = false;
};

} // namespace ns
