#pragma once

#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/View.h"

#include <QPointer>

class QScrollBar;

namespace ns
{

// The visible part of a scroll view's document. The document keeps its own
// frame size; scrolling moves which part of it shows.
class ClipView : public View
{
public:
    explicit ClipView(const Rect& frame = Rect());

    View* documentView() const { return document_; }
    // The previous document leaves the clip view and belongs to the caller.
    [[nodiscard]] View* setDocumentView(View* view);
    // Scrolls so that the visible part starts at the point (document coordinates).
    void scrollToPoint(Point point);
    // The visible part of the document, in the document's coordinates.
    Rect documentVisibleRect() const;
    // How far the document is scrolled, in pixels right and down.
    QPointF scrollOffset() const { return offset_; }
    void setScrollOffset(QPointF offset);

protected:
    QRectF qtRectForSubviewFrame(const Rect& frame) const override;
    void subviewFrameDidChange(View* subview) override;

private:
    QPointF maximumOffset() const;

    QPointer<View> document_;
    QPointF offset_;
};

// A document view seen through a clip view with scroll bars. A table or
// outline view as document fills the clip view and scrolls itself with the
// scroll view's scroller settings.
class ScrollView : public View
{
public:
    explicit ScrollView(const Rect& frame = Rect());

    ClipView* contentView() const { return clip_; }
    View* documentView() const { return clip_->documentView(); }
    // The previous document belongs to the caller.
    [[nodiscard]] View* setDocumentView(View* view);

    bool hasVerticalScroller() const { return hasVertical_; }
    void setHasVerticalScroller(bool has);
    bool hasHorizontalScroller() const { return hasHorizontal_; }
    void setHasHorizontalScroller(bool has);
    bool autohidesScrollers() const { return autohides_; }
    void setAutohidesScrollers(bool autohides);
    int borderType() const { return borderType_; }
    void setBorderType(int type);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);
    Color backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);

    Size contentSize() const { return clip_->frame().size; }
    Rect documentVisibleRect() const { return clip_->documentVisibleRect(); }
    // Brings the scroll bars in line with the clip view after it scrolled.
    void reflectScrolledClipView(ClipView* clipView);
    // Lays out the clip view and the scroll bars.
    void tile();

    void setFrame(const Rect& frame) override;
    void drawRect(const Rect& dirtyRect) override;
    void scrollWheel(const Event& event) override;

private:
    double borderWidth() const;

    ClipView* clip_;
    QScrollBar* vertical_;
    QScrollBar* horizontal_;
    bool hasVertical_ = false;
    bool hasHorizontal_ = false;
    bool autohides_ = false;
    int borderType_ = NoBorder;
    bool drawsBackground_ = true;
    Color backgroundColor_ = Color::controlBackgroundColor();
    bool tiling_ = false;
};

} // namespace ns
