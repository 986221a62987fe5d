#include "platform/ns/appkit/PopUpButton.h"

#include "platform/ns/appkit/GraphicsContext.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cmath>

namespace ns
{

PopUpButton::PopUpButton(const Rect& frame, bool pullsDown)
    : Button(frame), pullsDown_(pullsDown), menu_(std::make_unique<Menu>())
{
}

void PopUpButton::setPullsDown(bool pullsDown)
{
    pullsDown_ = pullsDown;
    repairSelection();
    update();
}

void PopUpButton::setMenu(std::unique_ptr<Menu> menu)
{
    menu_ = menu ? std::move(menu) : std::make_unique<Menu>();
    selected_ = nullptr;
    repairSelection();
    update();
}

void PopUpButton::repairSelection()
{
    if (menu_->indexOfItem(selected_) < 0)
        selected_ = nullptr;
    if (!selected_ && !pullsDown_)
        selectItem(itemAtIndex(0));
}

void PopUpButton::addItemWithTitle(const QString& title)
{
    insertItemWithTitle(title, numberOfItems());
}

void PopUpButton::addItemsWithTitles(const QStringList& titles)
{
    for (const QString& title : titles)
        addItemWithTitle(title);
}

void PopUpButton::insertItemWithTitle(const QString& title, int index)
{
    // Titles are unique in a pop-up button: an existing item of the title goes.
    if (MenuItem* existing = itemWithTitle(title)) {
        const int at = indexOfItem(existing);
        removeItemAtIndex(at);
        if (at < index)
            --index;
    }
    menu_->insertItemWithTitle(title, QString(), QString(), index);
    repairSelection();
    update();
}

void PopUpButton::removeItemWithTitle(const QString& title)
{
    removeItemAtIndex(indexOfItemWithTitle(title));
}

void PopUpButton::removeItemAtIndex(int index)
{
    menu_->removeItemAtIndex(index);
    repairSelection();
    update();
}

void PopUpButton::removeAllItems()
{
    menu_->removeAllItems();
    selected_ = nullptr;
    update();
}

QStringList PopUpButton::itemTitles() const
{
    QStringList titles;
    for (MenuItem* item : menu_->itemArray())
        titles.append(item->title());
    return titles;
}

QString PopUpButton::itemTitleAtIndex(int index) const
{
    MenuItem* item = itemAtIndex(index);
    return item ? item->title() : QString();
}

void PopUpButton::selectItem(MenuItem* item)
{
    if (item && indexOfItem(item) < 0)
        return;
    if (selected_ && !pullsDown_)
        selected_->setState(OffState);
    selected_ = item;
    if (selected_ && !pullsDown_)
        selected_->setState(OnState);
    update();
}

bool PopUpButton::selectItemWithTag(int tag)
{
    MenuItem* item = menu_->itemWithTag(tag);
    if (!item)
        return false;
    selectItem(item);
    return true;
}

QString PopUpButton::title() const
{
    if (pullsDown_)
        return itemTitleAtIndex(0);
    return titleOfSelectedItem();
}

void PopUpButton::setTitle(const QString& title)
{
    if (pullsDown_) {
        if (MenuItem* first = itemAtIndex(0))
            first->setTitle(title);
        else
            menu_->addItemWithTitle(title, QString());
    } else {
        if (!itemWithTitle(title))
            addItemWithTitle(title);
        selectItemWithTitle(title);
    }
    update();
}

void PopUpButton::choose(MenuItem* item)
{
    if (!item || item->isSeparatorItem())
        return;
    if (!pullsDown_)
        selectItem(item);
    // An item with an action of its own has already sent it.
    if (item->action().isEmpty())
        sendAction(action(), target());
}

void PopUpButton::performClick(Object*)
{
    if (!isEnabled() || numberOfItems() == 0)
        return;
    // A pull-down menu opens below the button; a pop-up menu opens with the
    // selected item over the button.
    Point at{0, 0};
    if (!pullsDown_ && selected_)
        at.y = height() + menu_->qMenu()->actionGeometry(selected_->qAction()).top();
    highlight(true);
    MenuItem* item = menu_->popUpMenu(at, this);
    highlight(false);
    choose(item);
}

void PopUpButton::mouseDown(const Event&)
{
    performClick(this);
}

void PopUpButton::sizeToFit()
{
    const QFontMetricsF metrics(font().qFont());
    double widest = 0;
    for (const QString& title : itemTitles())
        widest = std::max(widest, metrics.horizontalAdvance(title));
    QStyleOptionComboBox option;
    option.initFrom(this);
    const QSize size = style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                 QSize(int(std::ceil(widest)), int(metrics.height())), this);
    setFrameSize({double(size.width()), double(std::max(size.height(), 22))});
}

void PopUpButton::drawRect(const Rect&)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context)
        return;
    QPainter& painter = context->painter();
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.rect = rect();
    option.editable = false;
    if (cell()->isHighlighted())
        option.state |= QStyle::State_Sunken | QStyle::State_On;
    style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
    const QRect text =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const AttributedString styled = attributedTitle();
    const TextAttributes& attributes = styled.attributes();
    painter.save();
    painter.setFont(attributes.font ? attributes.font->qFont() : font().qFont());
    QColor color = attributes.foregroundColor ? attributes.foregroundColor->qColor()
                                              : Color::controlTextColor().qColor();
    if (!isEnabled())
        color = Color::disabledControlTextColor().qColor();
    painter.setPen(color);
    painter.drawText(text.adjusted(2, 0, -2, 0), int(Qt::AlignLeft | Qt::AlignVCenter), title());
    painter.restore();
}

} // namespace ns
