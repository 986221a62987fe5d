#include "platform/ns/appkit/ComboBox.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/TextEditing.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace ns
{

// Reloads a data source's items each time the list opens.
class ComboBox::Widget : public QComboBox
{
public:
    explicit Widget(ComboBox* owner) : QComboBox(owner), owner_(owner) {}

    void showPopup() override
    {
        if (owner_->usesDataSource())
            owner_->reloadData();
        QComboBox::showPopup();
    }

private:
    ComboBox* owner_;
};

ComboBox::ComboBox(const Rect& frame) : Control(frame), combo_(new Widget(this))
{
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setGeometry(rect());
    connectEditor();
    QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) { chosen(index); });
}

QComboBox* ComboBox::qComboBox() const
{
    return combo_;
}

ComboBox::~ComboBox()
{
    // The list goes before the editing reports that listen to its editor.
    delete combo_;
}

void ComboBox::connectEditor()
{
    editing_.reset();
    if (QLineEdit* editor = combo_->lineEdit()) {
        editing_ = std::make_unique<TextEditing>(
            editor, this, [this] { return static_cast<TextFieldDelegate*>(delegate_); },
            [this](const QString&) { selected_ = -1; });
    }
}

void ComboBox::chosen(int index)
{
    selected_ = index;
    Notification notification(ComboBoxSelectionDidChangeNotification, this);
    if (delegate_)
        delegate_->comboBoxSelectionDidChange(notification);
    NotificationCenter::defaultCenter().postNotification(notification);
    sendAction(action(), target());
}

void ComboBox::setUsesDataSource(bool uses)
{
    usesDataSource_ = uses;
    reloadData();
}

void ComboBox::setDataSource(ComboBoxDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadData();
}

void ComboBox::reloadData()
{
    if (!usesDataSource_)
        return;
    const QSignalBlocker blocker(combo_);
    const QString text = combo_->currentText();
    combo_->clear();
    const int count = dataSource_ ? std::max(0, dataSource_->numberOfItemsInComboBox(this)) : 0;
    for (int i = 0; i < count; ++i)
        combo_->addItem(dataSource_->objectValueForItemAtIndex(this, i));
    if (selected_ >= count)
        selected_ = -1;
    combo_->setCurrentIndex(selected_);
    if (isEditable())
        combo_->setEditText(text);
}

void ComboBox::addItemWithObjectValue(const QString& value)
{
    insertItemWithObjectValue(value, numberOfItems());
}

void ComboBox::addItemsWithObjectValues(const QStringList& values)
{
    for (const QString& value : values)
        addItemWithObjectValue(value);
}

void ComboBox::insertItemWithObjectValue(const QString& value, int index)
{
    if (usesDataSource_)
        return;
    const QSignalBlocker blocker(combo_);
    const QString text = combo_->currentText();
    index = std::clamp(index, 0, numberOfItems());
    combo_->insertItem(index, value);
    if (selected_ >= index)
        ++selected_;
    combo_->setCurrentIndex(selected_);
    if (isEditable())
        combo_->setEditText(text);
}

void ComboBox::removeItemAtIndex(int index)
{
    if (usesDataSource_ || index < 0 || index >= numberOfItems())
        return;
    const QSignalBlocker blocker(combo_);
    const QString text = combo_->currentText();
    combo_->removeItem(index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    if (isEditable())
        combo_->setEditText(text);
}

void ComboBox::removeAllItems()
{
    if (usesDataSource_)
        return;
    const QSignalBlocker blocker(combo_);
    const QString text = combo_->currentText();
    combo_->clear();
    selected_ = -1;
    if (isEditable())
        combo_->setEditText(text);
}

int ComboBox::numberOfItems() const
{
    return combo_->count();
}

QString ComboBox::itemObjectValueAtIndex(int index) const
{
    return index >= 0 && index < numberOfItems() ? combo_->itemText(index) : QString();
}

int ComboBox::indexOfItemWithObjectValue(const QString& value) const
{
    return combo_->findText(value, Qt::MatchExactly);
}

QString ComboBox::objectValueOfSelectedItem() const
{
    return itemObjectValueAtIndex(selected_);
}

void ComboBox::selectItemAtIndex(int index)
{
    if (index < 0 || index >= numberOfItems())
        return;
    const QSignalBlocker blocker(combo_);
    selected_ = index;
    combo_->setCurrentIndex(index);
}

void ComboBox::deselectItemAtIndex(int index)
{
    if (index == selected_)
        selected_ = -1;
}

int ComboBox::numberOfVisibleItems() const
{
    return combo_->maxVisibleItems();
}

void ComboBox::setNumberOfVisibleItems(int count)
{
    combo_->setMaxVisibleItems(std::max(1, count));
}

bool ComboBox::isEditable() const
{
    return combo_->isEditable();
}

void ComboBox::setEditable(bool editable)
{
    combo_->setEditable(editable);
    connectEditor();
}

QVariant ComboBox::objectValue() const
{
    return combo_->currentText();
}

void ComboBox::setObjectValue(const QVariant& value)
{
    const QString text = value.toString();
    if (isEditable()) {
        combo_->setEditText(text);
    } else {
        const QSignalBlocker blocker(combo_);
        selected_ = indexOfItemWithObjectValue(text);
        combo_->setCurrentIndex(selected_);
    }
}

void ComboBox::setFont(const Font& font)
{
    Control::setFont(font);
    combo_->setFont(font.qFont());
}

void ComboBox::setAlignment(int alignment)
{
    Control::setAlignment(alignment);
    if (QLineEdit* editor = combo_->lineEdit())
        editor->setAlignment(qtHorizontalAlignment(alignment) | Qt::AlignVCenter);
}

void ComboBox::setEnabled(bool enabled)
{
    Control::setEnabled(enabled);
    combo_->setEnabled(enabled);
}

void ComboBox::resizeEvent(QResizeEvent*)
{
    combo_->setGeometry(rect());
}

} // namespace ns
