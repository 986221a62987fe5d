#include "platform/ns/appkit/TextEditing.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/TextField.h"

#include <QLineEdit>

namespace ns
{

TextEditing::TextEditing(QLineEdit* editor, Control* control, std::function<TextFieldDelegate*()> delegate,
                         std::function<void(const QString&)> textChanged)
    : control_(control), delegate_(std::move(delegate))
{
    QObject::connect(editor, &QLineEdit::textEdited, editor, [this, textChanged](const QString& text) {
        textChanged(text);
        if (!editing_) {
            editing_ = true;
            post(ControlTextDidBeginEditingNotification, &TextFieldDelegate::controlTextDidBeginEditing);
        }
        post(ControlTextDidChangeNotification, &TextFieldDelegate::controlTextDidChange);
    });
    QObject::connect(editor, &QLineEdit::editingFinished, editor, [this] {
        if (!editing_)
            return;
        editing_ = false;
        post(ControlTextDidEndEditingNotification, &TextFieldDelegate::controlTextDidEndEditing);
    });
    QObject::connect(editor, &QLineEdit::returnPressed, editor,
                     [this] { control_->sendAction(control_->action(), control_->target()); });
}

void TextEditing::post(const QString& name, void (TextFieldDelegate::*method)(const Notification&))
{
    Notification notification(name, control_);
    if (TextFieldDelegate* delegate = delegate_())
        (delegate->*method)(notification);
    NotificationCenter::defaultCenter().postNotification(notification);
}

} // namespace ns
