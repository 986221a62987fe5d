#include "connection/NibColumn.h"

#include "connection/NibWording.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/View.h"

namespace
{

constexpr double kRowHeight = 22;
constexpr double kRowGap = 6;
constexpr double kCaptionWidth = 130;
constexpr double kCellHeight = 18;
ns::Font captionFont()
{
    return ns::Font::systemFontOfSize(12);
}

} // namespace

NibColumn::NibColumn(ns::View* view, double x, double top, double width, ns::Object* target,
                     NibWording* wording)
    : view_(view), x_(x), y_(top), width_(width), target_(target), wording_(wording)
{
}

void NibColumn::keep(ns::TextField* label, const QString& key)
{
    if (wording_)
        wording_->add(key, [label](const QString& text) { label->setStringValue(text); });
}

template <class Titled> void NibColumn::keepTitle(Titled* control, const QString& key)
{
    if (wording_)
        wording_->title(control, key);
}

ns::Rect NibColumn::nextRow(double height)
{
    y_ -= height;
    const ns::Rect row(x_, y_, width_, height);
    y_ -= kRowGap;
    return row;
}

ns::TextField* NibColumn::caption(const QString& text)
{
    auto* label = ns::TextField::labelWithFrame(nextRow(kCellHeight - 2), captionFont());
    label->setStringValue(text);
    keep(label, text);
    view_->addSubview(label);
    return label;
}

ns::TextField* NibColumn::field(const QString& caption, bool secure, ns::TextField** captionLabel)
{
    const ns::Rect row = nextRow(kRowHeight);
    auto* label = ns::TextField::labelWithFrame(
        ns::Rect(row.origin.x, row.origin.y, kCaptionWidth, row.size.height - 3), captionFont());
    label->setStringValue(caption);
    keep(label, caption);
    view_->addSubview(label);
    if (captionLabel)
        *captionLabel = label;
    const ns::Rect box(row.origin.x + kCaptionWidth, row.origin.y, row.size.width - kCaptionWidth,
                       row.size.height);
    auto* field = secure ? new ns::SecureTextField(box) : new ns::TextField(box);
    field->setFont(captionFont());
    view_->addSubview(field);
    return field;
}

ns::Button* NibColumn::checkBox(const QString& title, const QString& action)
{
    auto* box = new ns::Button(nextRow(kCellHeight));
    box->setButtonType(ns::SwitchButton);
    box->setTitle(title);
    keepTitle(box, title);
    box->setFont(captionFont());
    box->setTarget(target_);
    box->setAction(action);
    view_->addSubview(box);
    return box;
}

ns::Matrix* NibColumn::radios(const QStringList& titles, const QString& action, const QString& caption,
                              ns::TextField** captionLabel)
{
    if (!caption.isEmpty()) {
        ns::TextField* label = this->caption(caption);
        if (captionLabel)
            *captionLabel = label;
    }
    return grid(titles, int(titles.size()), 1, action);
}

ns::Matrix* NibColumn::grid(const QStringList& titles, int rows, int columns, const QString& action)
{
    const ns::Rect frame = nextRow(rows * kCellHeight + (rows - 1) * 2);
    auto* matrix = new ns::Matrix(frame, ns::RadioModeMatrix, {}, rows, columns);
    matrix->setIntercellSpacing(ns::Size(4, 2));
    matrix->setCellSize(ns::Size((width_ - 4 * (columns - 1)) / columns, kCellHeight));
    for (int i = 0; i < titles.size() && i < rows * columns; ++i) {
        ns::ButtonCell* cell = matrix->cellAtRow(i / columns, i % columns);
        cell->setTitle(titles.at(i));
        keepTitle(cell, titles.at(i));
        cell->setFont(captionFont());
    }
    matrix->setTarget(target_);
    matrix->setAction(action);
    view_->addSubview(matrix);
    return matrix;
}

ns::Button* NibColumn::pushButton(const QString& title, const QString& action, double width)
{
    const ns::Rect row = nextRow(28);
    auto* button = new ns::Button(ns::Rect(row.origin.x + row.size.width - width, row.origin.y, width, 28));
    button->setBezelStyle(ns::RoundedBezelStyle);
    button->setTitle(title);
    keepTitle(button, title);
    button->setFont(captionFont());
    button->setTarget(target_);
    button->setAction(action);
    view_->addSubview(button);
    return button;
}
