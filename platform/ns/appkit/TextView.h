#pragma once

#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Font.h"
#include "platform/ns/appkit/View.h"

class QPlainTextEdit;

namespace ns
{

// A view of plain text over several lines that scrolls itself, as a text
// view inside its scroll view. Lines may end in "\n", "\r\n" or "\r"; the
// string is kept as given. Editable by default; a read-only one can still be
// selected and copied unless that is switched off too.
class TextView : public View
{
public:
    explicit TextView(const Rect& frame = Rect());
    ~TextView() override;

    QString string() const { return string_; }
    void setString(const QString& string);

    bool isEditable() const;
    void setEditable(bool editable);
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable);
    Font font() const;
    void setFont(const Font& font);
    Color textColor() const { return textColor_; }
    void setTextColor(const Color& color);

    void scrollToEndOfDocument(Object* sender);
    // The Qt editor that shows the text.
    QPlainTextEdit* editor() const { return editor_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyInteraction();

    QPlainTextEdit* editor_;
    QString string_;
    bool selectable_ = true;
    Color textColor_ = Color::textColor();
};

} // namespace ns
