#pragma once

#include "platform/ns/appkit/TextField.h"

#include <QStringList>

#include <memory>

class QComboBox;

namespace ns
{

class ComboBox;
class TextEditing;

inline const QString ComboBoxSelectionDidChangeNotification =
    QStringLiteral("NSComboBoxSelectionDidChangeNotification");

class ComboBoxDataSource
{
public:
    virtual ~ComboBoxDataSource() = default;
    virtual int numberOfItemsInComboBox(ComboBox* /*comboBox*/) { return 0; }
    virtual QString objectValueForItemAtIndex(ComboBox* /*comboBox*/, int /*index*/) { return {}; }
};

// Also told of the user's typing, as a text field's delegate is.
class ComboBoxDelegate : public TextFieldDelegate
{
public:
    virtual void comboBoxSelectionDidChange(const Notification&) {}
};

// An editable text with a list to choose from: its own items, or a data
// source's (asked again by reloadData() and each time the list opens).
// Choosing an item selects it and sends the action; typing deselects it.
class ComboBox : public Control
{
public:
    explicit ComboBox(const Rect& frame = Rect());
    ~ComboBox() override;

    bool usesDataSource() const { return usesDataSource_; }
    void setUsesDataSource(bool uses);
    void setDataSource(ComboBoxDataSource* dataSource);
    ComboBoxDataSource* dataSource() const { return dataSource_; }
    void reloadData();
    void noteNumberOfItemsChanged() { reloadData(); }
    void setDelegate(ComboBoxDelegate* delegate) { delegate_ = delegate; }
    ComboBoxDelegate* delegate() const { return delegate_; }

    // Items of a combo box without data source.
    void addItemWithObjectValue(const QString& value);
    void addItemsWithObjectValues(const QStringList& values);
    void insertItemWithObjectValue(const QString& value, int index);
    void removeItemAtIndex(int index);
    void removeAllItems();

    int numberOfItems() const;
    QString itemObjectValueAtIndex(int index) const;
    int indexOfItemWithObjectValue(const QString& value) const;
    int indexOfSelectedItem() const { return selected_; }
    QString objectValueOfSelectedItem() const;
    void selectItemAtIndex(int index);
    void deselectItemAtIndex(int index);
    int numberOfVisibleItems() const;
    void setNumberOfVisibleItems(int count);
    bool isEditable() const;
    void setEditable(bool editable);

    QVariant objectValue() const override;
    void setObjectValue(const QVariant& value) override;
    void setFont(const Font& font) override;
    void setAlignment(int alignment) override;
    void setEnabled(bool enabled) override;

    QComboBox* qComboBox() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Widget;
    void chosen(int index);
    void connectEditor();

    Widget* combo_;
    std::unique_ptr<TextEditing> editing_;
    ComboBoxDataSource* dataSource_ = nullptr;
    ComboBoxDelegate* delegate_ = nullptr;
    bool usesDataSource_ = false;
    int selected_ = -1;
};

} // namespace ns
