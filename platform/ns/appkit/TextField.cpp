#include "platform/ns/appkit/TextField.h"

#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/TextEditing.h"
#include "platform/ns/appkit/Workspace.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace ns
{

namespace
{

constexpr double textInsetX = 2;
constexpr double textInsetY = 1;

} // namespace

// ---- cell ----

TextFieldCell::TextFieldCell()
    : textColor_(Color::controlTextColor()), backgroundColor_(Color::textBackgroundColor())
{
}

void TextFieldCell::setTextColor(const Color& color)
{
    textColor_ = color;
    changed();
}

void TextFieldCell::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    changed();
}

void TextFieldCell::setDrawsBackground(bool draws)
{
    drawsBackground_ = draws;
    changed();
}

void TextFieldCell::setBezeled(bool bezeled)
{
    bezeled_ = bezeled;
    changed();
}

void TextFieldCell::setBordered(bool bordered)
{
    bordered_ = bordered;
    changed();
}

void TextFieldCell::setPlaceholderString(const QString& placeholder)
{
    placeholder_ = placeholder;
    changed();
}

void TextFieldCell::setEchosBullets(bool bullets)
{
    echosBullets_ = bullets;
    changed();
}

QString TextFieldCell::displayedText() const
{
    const QString text = stringValue();
    return echosBullets_ ? QString(text.size(), QChar(0x2022)) : text;
}

void TextFieldCell::drawWithFrame(const Rect& cellFrame, View* controlView)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context || cellFrame.isEmpty())
        return;
    QPainter& painter = context->painter();
    const QRectF frame = context->toQt(cellFrame);
    if (drawsBackground_)
        painter.fillRect(frame, backgroundColor_.qColor());
    if (bezeled_) {
        QStyle* style = controlView ? controlView->style() : QApplication::style();
        QStyleOptionFrame option;
        if (controlView)
            option.initFrom(controlView);
        option.rect = frame.toRect();
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, controlView);
        option.state |= QStyle::State_Sunken;
        style->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter, controlView);
    } else if (bordered_) {
        painter.save();
        painter.setPen(Qt::black);
        painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
    }

    QString text = displayedText();
    QColor color = isHighlighted() ? Color::selectedTextColor().qColor() : textColor_.qColor();
    if (text.isEmpty()) {
        text = placeholder_;
        color = Color::disabledControlTextColor().qColor();
    } else if (!isEnabled()) {
        color.setAlphaF(color.alphaF() / 2);
    }
    if (text.isEmpty())
        return;
    painter.save();
    painter.setFont(font().qFont());
    painter.setPen(color);
    const double inset = bezeled_ || bordered_ ? 2 : 0;
    painter.drawText(
        frame.adjusted(textInsetX + inset, textInsetY + inset, -textInsetX - inset, -textInsetY - inset),
        int(qtHorizontalAlignment(alignment()) | Qt::AlignTop | Qt::TextWordWrap), text);
    painter.restore();
}

Size TextFieldCell::cellSize() const
{
    const QString text = displayedText().isEmpty() ? placeholder_ : displayedText();
    QSizeF size = QFontMetricsF(font().qFont()).size(0, text.isEmpty() ? QStringLiteral(" ") : text);
    const double inset = bezeled_ || bordered_ ? 2 : 0;
    return {std::ceil(size.width()) + 2 * (textInsetX + inset),
            std::ceil(size.height()) + 2 * (textInsetY + inset)};
}

// ---- field ----

TextField* TextField::labelWithFrame(const Rect& frame, const Font& font, int alignment)
{
    auto* label = new TextField(frame);
    label->setEditable(false);
    label->setSelectable(false);
    label->setBezeled(false);
    label->setBordered(false);
    label->setDrawsBackground(false);
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

TextField::TextField(const Rect& frame) : Control(frame), cell_(std::make_unique<TextFieldCell>())
{
    cell_->setControlView(this);
    cell_->setEditable(true);
    cell_->setSelectable(true);
    cell_->setBezeled(true);
    cell_->setDrawsBackground(true);
    updateEditor();
}

TextField::~TextField()
{
    // The editor goes before the editing reports that listen to it.
    delete editor_;
}

void TextField::updateEditor()
{
    if (isEditable() && !editor_) {
        editor_ = new QLineEdit(this);
        editing_ = std::make_unique<TextEditing>(
            editor_, this, [this] { return delegate_; },
            [this](const QString& text) { cell_->setStringValue(text); });
        QObject::connect(editor_, &QLineEdit::editingFinished, editor_, [this] { applyFormatter(); });
        setFocusProxy(editor_);
        editor_->show();
    } else if (!isEditable() && editor_) {
        setFocusProxy(nullptr);
        delete editor_;
        editor_ = nullptr;
        editing_.reset();
    }
    if (editor_) {
        editor_->setGeometry(rect());
        if (editor_->text() != cell_->stringValue())
            editor_->setText(cell_->stringValue());
        editor_->setFrame(isBezeled() || isBordered());
        editor_->setFont(cell_->font().qFont());
        editor_->setAlignment(qtHorizontalAlignment(cell_->alignment()) | Qt::AlignVCenter);
        QPalette palette = editor_->palette();
        palette.setColor(QPalette::Text, cell_->textColor().qColor());
        palette.setColor(QPalette::Base,
                         drawsBackground() ? cell_->backgroundColor().qColor() : QColor(Qt::transparent));
        editor_->setPalette(palette);
        editor_->setEchoMode(cell_->echosBullets() ? QLineEdit::Password : QLineEdit::Normal);
        editor_->setPlaceholderText(cell_->placeholderString());
        editor_->setEnabled(isEnabled());
    }
    update();
}

void TextField::setEditable(bool editable)
{
    cell_->setEditable(editable);
    updateEditor();
}

void TextField::setBezeled(bool bezeled)
{
    cell_->setBezeled(bezeled);
    updateEditor();
}

void TextField::setBordered(bool bordered)
{
    cell_->setBordered(bordered);
    updateEditor();
}

void TextField::setDrawsBackground(bool draws)
{
    cell_->setDrawsBackground(draws);
    updateEditor();
}

void TextField::setBackgroundColor(const Color& color)
{
    cell_->setBackgroundColor(color);
    updateEditor();
}

void TextField::setTextColor(const Color& color)
{
    cell_->setTextColor(color);
    updateEditor();
}

void TextField::setPlaceholderString(const QString& placeholder)
{
    cell_->setPlaceholderString(placeholder);
    updateEditor();
}

void TextField::setObjectValue(const QVariant& value)
{
    link_.clear();
    setCursor(Qt::ArrowCursor);
    cell_->setObjectValue(value);
    if (editor_ && editor_->text() != cell_->stringValue())
        editor_->setText(cell_->stringValue());
}

void TextField::setFormatter(std::unique_ptr<Formatter> formatter)
{
    formatter_ = std::move(formatter);
    if (!stringValue().isEmpty())
        applyFormatter();
}

void TextField::applyFormatter()
{
    if (!formatter_)
        return;
    Value value;
    if (formatter_->getObjectValue(&value, stringValue(), nullptr))
        setObjectValue(formatter_->stringForObjectValue(value));
}

void TextField::setFont(const Font& font)
{
    Control::setFont(font);
    updateEditor();
}

void TextField::setAlignment(int alignment)
{
    Control::setAlignment(alignment);
    updateEditor();
}

void TextField::setEnabled(bool enabled)
{
    Control::setEnabled(enabled);
    updateEditor();
}

AttributedString TextField::attributedStringValue() const
{
    TextAttributes attributes;
    attributes.font = Font(cell_->font().qFont());
    attributes.foregroundColor = cell_->textColor();
    attributes.alignment = cell_->alignment();
    attributes.underline = cell_->font().qFont().underline();
    attributes.link = link_;
    return AttributedString(stringValue(), attributes);
}

void TextField::setAttributedStringValue(const AttributedString& value)
{
    const TextAttributes& attributes = value.attributes();
    QFont font = attributes.font ? attributes.font->qFont() : cell_->font().qFont();
    font.setUnderline(attributes.underline);
    setFont(Font(font));
    if (attributes.foregroundColor)
        setTextColor(*attributes.foregroundColor);
    if (attributes.alignment)
        setAlignment(*attributes.alignment);
    setStringValue(value.string());
    link_ = attributes.link;
    setCursor(link_.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void TextField::mouseDown(const Event& event)
{
    if (link_.isEmpty() || !isSelectable() || isEditable()) {
        Control::mouseDown(event);
        return;
    }
    Workspace::sharedWorkspace().openURL(link_);
}

void TextField::selectText(Object*)
{
    if (!editor_)
        return;
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
}

void TextField::drawRect(const Rect& dirtyRect)
{
    if (!editor_)
        Control::drawRect(dirtyRect);
}

void TextField::resizeEvent(QResizeEvent*)
{
    if (editor_)
        editor_->setGeometry(rect());
}

SecureTextField::SecureTextField(const Rect& frame) : TextField(frame)
{
    cell()->setEchosBullets(true);
    updateEditor();
}

} // namespace ns
