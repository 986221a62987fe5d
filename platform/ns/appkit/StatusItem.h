#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/appkit/Image.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class QSystemTrayIcon;

namespace ns
{

class Menu;
class StatusBar;
class View;

// Lengths of status items: one that follows its content, or one as wide as the bar is thick.
inline constexpr double VariableStatusItemLength = -1;
inline constexpr double SquareStatusItemLength = -2;

// An item of the system status bar: on this desktop an icon in the system
// tray. The item shows its view: the view is not part of any window; the item
// draws it into the tray icon whenever the view asks (setNeedsDisplay), and a
// click on the icon reaches the view as a left mouse down and up at its
// centre; a context click pops up the view's menu.
//
// A desktop without a tray is a quiet case: the item keeps its view and
// drawing all the same, it is just not shown.
class StatusItem : public Object
{
public:
    // Leaves the status bar.
    ~StatusItem() override;

    StatusBar* statusBar() const { return statusBar_; }
    double length() const { return length_; }
    void setLength(double length) { length_ = length; }
    // Whether the item is highlighted while its menu is up (the tray draws that itself).
    bool highlightMode() const { return highlightMode_; }
    void setHighlightMode(bool highlight) { highlightMode_ = highlight; }

    // The view is not owned; it stays set until replaced or until the item is gone.
    View* view() const { return view_; }
    void setView(View* view);
    // Draws the view into the item again, once at the next turn of the event
    // loop however often it is asked before.
    void setNeedsDisplay();
    // What the item shows: the last drawing of its view (null before the first).
    const Image& displayedImage() const { return displayedImage_; }

    // Shows the menu below the item and tracks it until an item is chosen
    // (its action is sent) or the menu is dismissed. Nothing while the item
    // is not shown.
    void popUpStatusItemMenu(Menu* menu);
    // True while the item is in the desktop's tray; never without a tray.
    bool isShown() const;

private:
    friend class StatusBar;
    StatusItem(StatusBar* statusBar, double length);
    void redraw();
    void showInTray();
    void click();
    void contextClick();

    StatusBar* statusBar_;
    double length_;
    bool highlightMode_ = false;
    QPointer<View> view_;
    Image displayedImage_;
    bool redrawPending_ = false;
    std::unique_ptr<QSystemTrayIcon> trayIcon_;
    // Pending redraws are queued on it, and dropped with the item.
    QObject context_;
};

// The system status bar: the desktop's tray.
class StatusBar
{
public:
    static StatusBar& systemStatusBar();

    // A new item; it is shown from its first drawing on when the desktop has a tray.
    std::unique_ptr<StatusItem> statusItemWithLength(double length);
    // The items alive, oldest first.
    const QList<StatusItem*>& statusItems() const { return items_; }
    // Whether the desktop has a tray to show items in.
    bool isAvailable() const;

private:
    friend class StatusItem;
    StatusBar() = default;

    QList<StatusItem*> items_;
};

} // namespace ns
