#pragma once

#include "platform/ns/Formatter.h"
#include "platform/ns/Notification.h"
#include "platform/ns/appkit/AttributedString.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Control.h"

#include <memory>

class QLineEdit;

namespace ns
{

inline const QString ControlTextDidBeginEditingNotification =
    QStringLiteral("NSControlTextDidBeginEditingNotification");
inline const QString ControlTextDidChangeNotification = QStringLiteral("NSControlTextDidChangeNotification");
inline const QString ControlTextDidEndEditingNotification =
    QStringLiteral("NSControlTextDidEndEditingNotification");

// The delegate of an editable text control. The notifications' object is the control.
class TextFieldDelegate
{
public:
    virtual ~TextFieldDelegate() = default;
    virtual void controlTextDidBeginEditing(const Notification&) {}
    // After each change the user makes to the text.
    virtual void controlTextDidChange(const Notification&) {}
    virtual void controlTextDidEndEditing(const Notification&) {}
};

// The cell of a text field: its text and the look of the field.
class TextFieldCell : public Cell
{
public:
    TextFieldCell();

    const Color& textColor() const { return textColor_; }
    void setTextColor(const Color& color);
    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);
    bool isBezeled() const { return bezeled_; }
    void setBezeled(bool bezeled);
    bool isBordered() const { return bordered_; }
    void setBordered(bool bordered);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }
    QString placeholderString() const { return placeholder_; }
    void setPlaceholderString(const QString& placeholder);
    // Drawn as bullets (a secure field's text).
    bool echosBullets() const { return echosBullets_; }
    void setEchosBullets(bool bullets);

    // Draws the background, the border and the text: from the top, wrapping
    // words; in the selected text colour when the cell is highlighted.
    void drawWithFrame(const Rect& cellFrame, View* controlView) override;
    Size cellSize() const override;

private:
    QString displayedText() const;

    Color textColor_;
    Color backgroundColor_;
    bool drawsBackground_ = false;
    bool bezeled_ = false;
    bool bordered_ = false;
    bool editable_ = false;
    bool selectable_ = false;
    bool echosBullets_ = false;
    QString placeholder_;
};

class TextEditing;

// A text field: an editable box (the default, bezeled with a background) or,
// when not editable, a label drawn by its cell. An editable field edits in a
// QLineEdit; the user's changes go to the delegate, and Return sends the action.
class TextField : public Control
{
public:
    explicit TextField(const Rect& frame = Rect());
    ~TextField() override;
    // A label: not editable or selectable, without bezel, border or background.
    static TextField* labelWithFrame(const Rect& frame, const Font& font, int alignment = LeftTextAlignment);

    TextFieldCell* cell() const override { return cell_.get(); }

    bool isEditable() const { return cell_->isEditable(); }
    void setEditable(bool editable);
    // An editable field's text can always be selected; a label draws its text
    // and offers no selection here, whatever the flag says.
    bool isSelectable() const { return cell_->isSelectable(); }
    void setSelectable(bool selectable) { cell_->setSelectable(selectable); }
    bool isBezeled() const { return cell_->isBezeled(); }
    void setBezeled(bool bezeled);
    bool isBordered() const { return cell_->isBordered(); }
    void setBordered(bool bordered);
    bool drawsBackground() const { return cell_->drawsBackground(); }
    void setDrawsBackground(bool draws);
    Color backgroundColor() const { return cell_->backgroundColor(); }
    void setBackgroundColor(const Color& color);
    Color textColor() const { return cell_->textColor(); }
    void setTextColor(const Color& color);
    QString placeholderString() const { return cell_->placeholderString(); }
    void setPlaceholderString(const QString& placeholder);

    void setObjectValue(const QVariant& value) override;
    void setFont(const Font& font) override;
    void setAlignment(int alignment) override;
    void setEnabled(bool enabled) override;

    // The formatter rewrites the text when the user ends editing it (and
    // when one is set on a field that holds text); null for none.
    Formatter* formatter() const { return formatter_.get(); }
    void setFormatter(std::unique_ptr<Formatter> formatter);

    void setDelegate(TextFieldDelegate* delegate) { delegate_ = delegate; }
    TextFieldDelegate* delegate() const { return delegate_; }

    // The text with its font, colour, alignment, underline and link. A
    // selectable field that shows a link opens it with the desktop's browser
    // when clicked; a plain string value drops the link.
    AttributedString attributedStringValue() const;
    void setAttributedStringValue(const AttributedString& value);
    void setAllowsEditingTextAttributes(bool allows) { allowsEditingTextAttributes_ = allows; }
    bool allowsEditingTextAttributes() const { return allowsEditingTextAttributes_; }
    void mouseDown(const Event& event) override;

    // Selects the whole text and gives the field the focus.
    void selectText(Object* sender);
    // The line editor of an editable field (null for a label).
    QLineEdit* editor() const { return editor_; }

    void drawRect(const Rect& dirtyRect) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Creates, removes or restyles the line editor after the cell changed.
    void updateEditor();
    // Puts the text through the formatter.
    void applyFormatter();

private:
    std::unique_ptr<TextFieldCell> cell_;
    QLineEdit* editor_ = nullptr;
    std::unique_ptr<TextEditing> editing_;
    std::unique_ptr<Formatter> formatter_;
    TextFieldDelegate* delegate_ = nullptr;
    QUrl link_;
    bool allowsEditingTextAttributes_ = false;
};

// A text field whose text shows as bullets (PIN and password entry).
class SecureTextField : public TextField
{
public:
    explicit SecureTextField(const Rect& frame = Rect());
};

} // namespace ns
