#include "platform/ns/appkit/TextView.h"

#include <QPlainTextEdit>
#include <QScrollBar>

namespace ns
{

namespace
{

// The text with every line end as Qt shows one: a line feed.
QString withLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

TextView::TextView(const Rect& frame) : View(frame), editor_(new QPlainTextEdit(this))
{
    editor_->setGeometry(rect());
    editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QObject::connect(editor_, &QPlainTextEdit::textChanged, editor_, [this] {
        // Only the user's typing reaches here with a text that differs from ours.
        if (withLineFeeds(string_) != editor_->toPlainText())
            string_ = editor_->toPlainText();
    });
}

TextView::~TextView() = default;

void TextView::setString(const QString& string)
{
    string_ = string;
    editor_->setPlainText(withLineFeeds(string));
}

bool TextView::isEditable() const
{
    return !editor_->isReadOnly();
}

void TextView::setEditable(bool editable)
{
    editor_->setReadOnly(!editable);
    applyInteraction();
}

void TextView::setSelectable(bool selectable)
{
    selectable_ = selectable;
    applyInteraction();
}

void TextView::applyInteraction()
{
    if (isEditable())
        editor_->setTextInteractionFlags(Qt::TextEditorInteraction);
    else if (selectable_)
        editor_->setTextInteractionFlags(Qt::TextSelectableByMouse); // and no insertion point
    else
        editor_->setTextInteractionFlags(Qt::NoTextInteraction);
}

Font TextView::font() const
{
    return Font(editor_->font());
}

void TextView::setFont(const Font& font)
{
    editor_->setFont(font.qFont());
}

void TextView::setTextColor(const Color& color)
{
    textColor_ = color;
    QPalette palette = editor_->palette();
    palette.setColor(QPalette::Text, color.qColor());
    editor_->setPalette(palette);
}

void TextView::scrollToEndOfDocument(Object*)
{
    QScrollBar* bar = editor_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TextView::resizeEvent(QResizeEvent*)
{
    editor_->setGeometry(rect());
}

} // namespace ns
