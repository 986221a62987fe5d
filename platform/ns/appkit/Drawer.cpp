#include "platform/ns/appkit/Drawer.h"

#include "platform/ns/appkit/Window.h"

#include <algorithm>

namespace ns
{

Drawer::Drawer(Size contentSize, int preferredEdge)
    : window_(std::make_unique<Window>(Rect({0, 0}, contentSize), BorderlessWindowMask)),
      edge_(preferredEdge), preferredEdge_(preferredEdge), contentSize_(contentSize)
{
}

Drawer::~Drawer()
{
    setParentWindow(nullptr);
}

void Drawer::setParentWindow(Window* window)
{
    if (parent_ == window)
        return;
    if (parent_) {
        auto& drawers = parent_->drawers_;
        drawers.erase(std::remove(drawers.begin(), drawers.end(), this), drawers.end());
    }
    parent_ = window;
    window_->parentWindow_ = window;
    if (parent_)
        parent_->drawers_.push_back(this);
    placeBesideParent();
}

View* Drawer::contentView() const
{
    return window_->contentView();
}

View* Drawer::setContentView(View* view)
{
    return window_->setContentView(view);
}

void Drawer::open()
{
    openOnEdge(preferredEdge_);
}

void Drawer::openOnEdge(int edge)
{
    if (!parent_)
        return;
    edge_ = edge;
    state_ = DrawerOpenState;
    placeBesideParent();
}

void Drawer::close()
{
    state_ = DrawerClosedState;
    placeBesideParent();
}

void Drawer::toggle(Object*)
{
    if (state_ == DrawerOpenState)
        close();
    else
        open();
}

void Drawer::setContentSize(Size size)
{
    contentSize_ = size;
    placeBesideParent();
}

void Drawer::setMinContentSize(Size size)
{
    minContentSize_ = size;
    placeBesideParent();
}

void Drawer::setMaxContentSize(Size size)
{
    maxContentSize_ = size;
    placeBesideParent();
}

void Drawer::setLeadingOffset(double offset)
{
    leadingOffset_ = offset;
    placeBesideParent();
}

void Drawer::setTrailingOffset(double offset)
{
    trailingOffset_ = offset;
    placeBesideParent();
}

Size Drawer::clampedSize(Size size) const
{
    auto clamp = [](double value, double low, double high) {
        if (high > 0)
            value = std::min(value, high);
        return std::max(value, low);
    };
    return {clamp(size.width, minContentSize_.width, maxContentSize_.width),
            clamp(size.height, minContentSize_.height, maxContentSize_.height)};
}

void Drawer::placeBesideParent()
{
    const bool shown = state_ == DrawerOpenState && parent_ && parent_->isVisible();
    if (!shown) {
        window_->hide();
        return;
    }
    const Rect p = parent_->frame();
    Rect frame;
    if (edge_ == MinXEdge || edge_ == MaxXEdge) {
        // Beside the window: the parent's height less the offsets.
        Size size = clampedSize({contentSize_.width, p.height() - leadingOffset_ - trailingOffset_});
        const double x = edge_ == MaxXEdge ? p.maxX() : p.minX() - size.width;
        frame = {x, p.maxY() - leadingOffset_ - size.height, size.width, size.height};
    } else {
        Size size = clampedSize({p.width() - leadingOffset_ - trailingOffset_, contentSize_.height});
        const double y = edge_ == MaxYEdge ? p.maxY() : p.minY() - size.height;
        frame = {p.minX() + leadingOffset_, y, size.width, size.height};
    }
    window_->setFrame(frame, true);
    window_->setLevel(parent_->level());
    window_->show();
}

} // namespace ns
