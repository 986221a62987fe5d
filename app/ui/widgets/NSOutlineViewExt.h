#pragma once

#include "platform/ns/appkit/OutlineView.h"

// An outline whose right click first selects the row under the mouse (when
// it is not selected yet), so that the context menu acts on that row; the
// menu opens only over an item.
class NSOutlineViewExt : public ns::OutlineView
{
public:
    explicit NSOutlineViewExt(const ns::Rect& frame = ns::Rect());

    void* itemAtMouseRightDown() const { return itemAtMouseRightDown_; }
    int rowAtMouseRightDown() const { return rowAtMouseRightDown_; }

    void rightMouseDown(const ns::Event& event) override;

private:
    void* itemAtMouseRightDown_ = nullptr;
    int rowAtMouseRightDown_ = -1;
};
