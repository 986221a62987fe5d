#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/appkit/Geometry.h"

#include <memory>

namespace ns
{

class View;
class Window;

enum RectEdge { MinXEdge = 0, MinYEdge = 1, MaxXEdge = 2, MaxYEdge = 3 };
enum DrawerState {
    DrawerClosedState = 0,
    DrawerOpeningState = 1,
    DrawerOpenState = 2,
    DrawerClosingState = 3
};

// A panel that slides out from an edge of its parent window and follows it.
// The leading offset is measured from the parent's top (side edges) or left
// (top and bottom edges), the trailing offset from the opposite end. Opening
// and closing take no time here, so the drawer is either open or closed.
class Drawer : public Object
{
public:
    Drawer(Size contentSize, int preferredEdge);
    ~Drawer() override;

    Window* parentWindow() const { return parent_; }
    void setParentWindow(Window* window);
    View* contentView() const;
    // The previous content view belongs to the caller.
    [[nodiscard]] View* setContentView(View* view);

    int state() const { return state_; }
    int edge() const { return edge_; }
    int preferredEdge() const { return preferredEdge_; }
    void setPreferredEdge(int edge) { preferredEdge_ = edge; }
    // Opening needs a parent window.
    void open();
    void openOnEdge(int edge);
    void close();
    void toggle(Object* sender);

    Size contentSize() const { return contentSize_; }
    void setContentSize(Size size);
    Size minContentSize() const { return minContentSize_; }
    void setMinContentSize(Size size);
    Size maxContentSize() const { return maxContentSize_; }
    void setMaxContentSize(Size size);
    double leadingOffset() const { return leadingOffset_; }
    void setLeadingOffset(double offset);
    double trailingOffset() const { return trailingOffset_; }
    void setTrailingOffset(double offset);

    // The drawer's window (shown only while open beside a visible parent).
    Window* window() const { return window_.get(); }

private:
    friend class Window;

    // Follows the parent window's frame and visibility.
    void placeBesideParent();
    Size clampedSize(Size size) const;

    Window* parent_ = nullptr;
    std::unique_ptr<Window> window_;
    int state_ = DrawerClosedState;
    int edge_;
    int preferredEdge_;
    Size contentSize_;
    Size minContentSize_;
    Size maxContentSize_;
    double leadingOffset_ = 0;
    double trailingOffset_ = 0;
};

} // namespace ns
