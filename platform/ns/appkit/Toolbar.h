#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/View.h"

#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

class QAction;
class QToolBar;
class QWidget;

namespace ns
{

class Toolbar;
class Window;

enum ToolbarDisplayMode {
    ToolbarDisplayModeDefault = 0,
    ToolbarDisplayModeIconAndLabel = 1,
    ToolbarDisplayModeIconOnly = 2,
    ToolbarDisplayModeLabelOnly = 3,
};

inline const QString ToolbarFlexibleSpaceItemIdentifier = QStringLiteral("NSToolbarFlexibleSpaceItem");
inline const QString ToolbarSpaceItemIdentifier = QStringLiteral("NSToolbarSpaceItem");
inline const QString ToolbarSeparatorItemIdentifier = QStringLiteral("NSToolbarSeparatorItem");

// One item of a toolbar: an image and label that send an action to a target
// (with the item as sender), or a view of its own. The item owns its view.
class ToolbarItem : public Object
{
public:
    explicit ToolbarItem(const QString& identifier);
    ~ToolbarItem() override;

    const QString& itemIdentifier() const { return identifier_; }
    QString label() const { return label_; }
    void setLabel(const QString& label);
    QString paletteLabel() const { return paletteLabel_; }
    void setPaletteLabel(const QString& label) { paletteLabel_ = label; }
    QString toolTip() const;
    void setToolTip(const QString& toolTip);
    const Image& image() const { return image_; }
    void setImage(const Image& image);
    // The target, action and enabled state of an item whose view is a
    // control are the control's as well, so that the view acts for the item.
    Object* target() const { return target_; }
    void setTarget(Object* target);
    const QString& action() const { return action_; }
    void setAction(const QString& action);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isEnabled() const;
    void setEnabled(bool enabled);
    View* view() const { return view_; }
    // The item takes the view; a previous view is deleted.
    void setView(View* view);
    Size minSize() const { return minSize_; }
    void setMinSize(Size size);
    Size maxSize() const { return maxSize_; }
    void setMaxSize(Size size);
    Toolbar* toolbar() const { return toolbar_; }

    QAction* qAction() const { return qaction_.get(); }

private:
    friend class Toolbar;

    QString identifier_;
    QString label_;
    QString paletteLabel_;
    Image image_;
    Object* target_ = nullptr;
    QString action_;
    int tag_ = 0;
    QPointer<View> view_;
    Size minSize_;
    Size maxSize_;
    Toolbar* toolbar_ = nullptr;
    std::unique_ptr<QAction> qaction_;
};

// Supplies a toolbar's items by identifier. Items are shared: the delegate
// may keep them and hand the same item again.
class ToolbarDelegate
{
public:
    virtual ~ToolbarDelegate() = default;
    virtual std::shared_ptr<ToolbarItem>
    toolbarItemForItemIdentifier(Toolbar* /*toolbar*/, const QString& /*identifier*/, bool /*willBeInserted*/)
    {
        return nullptr;
    }
    virtual QStringList toolbarDefaultItemIdentifiers(Toolbar* /*toolbar*/) { return {}; }
    virtual QStringList toolbarAllowedItemIdentifiers(Toolbar* /*toolbar*/) { return {}; }
    // Items of these identifiers show as selected when chosen.
    virtual QStringList toolbarSelectableItemIdentifiers(Toolbar* /*toolbar*/) { return {}; }
};

// The strip of items at the top of a window. When its window shows it, the
// toolbar takes the delegate's default identifiers and asks it for each
// item; the standard space, flexible space and separator need no delegate.
class Toolbar : public Object
{
public:
    explicit Toolbar(const QString& identifier);
    ~Toolbar() override;

    const QString& identifier() const { return identifier_; }
    void setDelegate(ToolbarDelegate* delegate);
    ToolbarDelegate* delegate() const { return delegate_; }
    int displayMode() const { return displayMode_; }
    void setDisplayMode(int mode);
    // This toolbar offers no customisation palette; the flag is kept for callers that ask.
    bool allowsUserCustomization() const { return allowsUserCustomization_; }
    void setAllowsUserCustomization(bool allows) { allowsUserCustomization_ = allows; }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

    QList<ToolbarItem*> items() const;
    void insertItemWithItemIdentifier(const QString& identifier, int index);
    void removeItemAtIndex(int index);
    QString selectedItemIdentifier() const { return selected_; }
    void setSelectedItemIdentifier(const QString& identifier);

    Window* window() const { return window_; }
    QWidget* widget() const;

private:
    friend class ToolbarItem;
    friend class Window;

    // Shows the toolbar in the window (or takes it away for null) and loads the items.
    void attachToWindow(Window* window);
    std::shared_ptr<ToolbarItem> makeItem(const QString& identifier);
    void rebuild();
    void updateSelection();

    QString identifier_;
    ToolbarDelegate* delegate_ = nullptr;
    int displayMode_ = ToolbarDisplayModeDefault;
    bool allowsUserCustomization_ = false;
    bool visible_ = true;
    bool loaded_ = false;
    QString selected_;
    std::vector<std::shared_ptr<ToolbarItem>> items_;
    std::unique_ptr<QToolBar> bar_;
    Window* window_ = nullptr;
};

} // namespace ns
