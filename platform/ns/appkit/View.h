#pragma once

#include "platform/ns/appkit/Geometry.h"
#include "platform/ns/appkit/Responder.h"

#include <QList>
#include <QWidget>

#include <memory>

namespace ns
{

class Menu;
class ScrollView;
class Window;

enum WindowOrderingMode { WindowBelow = -1, WindowOut = 0, WindowAbove = 1 };

// A rectangle of a window that draws itself and receives events: a QWidget
// placed in Cocoa's coordinates. A view's frame is given in its superview's
// coordinates with the origin at the superview's bottom-left corner and y up
// (top-down inside a flipped superview); the view keeps that origin when its
// superview is resized, as Cocoa's views do without autoresizing.
//
// Ownership: a superview owns its subviews (through Qt's parent). A view
// taken out of the hierarchy (removeFromSuperview, or replaced as a window's
// content view) belongs to the caller, who keeps it or deletes it.
//
// Owner-drawn views override drawRect(), which draws through the current
// GraphicsContext (QPainter-backed); mouse and key events arrive at the
// Responder handlers.
class View : public QWidget, public Responder
{
public:
    explicit View(const Rect& frame = Rect());
    ~View() override;

    Rect frame() const { return frame_; }
    virtual void setFrame(const Rect& frame);
    void setFrameOrigin(Point origin) { setFrame({origin, frame_.size}); }
    void setFrameSize(Size size) { setFrame({frame_.origin, size}); }
    // The view's own coordinate space: origin (0, 0) and the frame's size.
    Rect bounds() const { return {0, 0, frame_.size.width, frame_.size.height}; }
    // A flipped view measures y downwards from its top, for itself and its subviews.
    virtual bool isFlipped() const { return false; }

    View* superview() const { return superview_; }
    // Back to front.
    const QList<View*>& subviews() const { return subviews_; }
    void addSubview(View* view);
    // Adds the view just above or below another subview (or above or below all of them).
    void addSubview(View* view, WindowOrderingMode place, View* relativeTo);
    void removeFromSuperview();
    // The old view leaves the hierarchy (and belongs to the caller).
    void replaceSubview(View* oldView, View* newView);
    bool isDescendantOf(const View* view) const;
    // The window holding the view; null when it is in none.
    Window* window() const;
    ScrollView* enclosingScrollView() const;

    virtual int tag() const { return -1; }
    // This view or the first descendant with the tag.
    View* viewWithTag(int tag);

    bool isHidden() const { return hidden_; }
    virtual void setHidden(bool hidden);
    bool isHiddenOrHasHiddenAncestor() const;

    virtual void setNeedsDisplay(bool flag = true);
    void setNeedsDisplayInRect(const Rect& rect);
    void display();
    // Draws the part of the view inside the rectangle (in the view's
    // coordinates) into the current graphics context. A plain view draws nothing.
    virtual void drawRect(const Rect& dirtyRect);

    // Conversions between this view and another view of the same window; a
    // null view stands for the window's base coordinates.
    Point convertPoint(Point point, const View* fromView) const;
    Point convertPointToView(Point point, const View* toView) const;
    Rect convertRect(const Rect& rect, const View* fromView) const;
    Rect convertRectToView(const Rect& rect, const View* toView) const;

    // Mouse-entered and mouse-exited events go to the view while the mouse
    // crosses the edge of one of its tracking rectangles (in view coordinates).
    int addTrackingRect(const Rect& rect);
    void removeTrackingRect(int tag);

    // The context menu, shown on a right click.
    virtual void setMenu(std::unique_ptr<Menu> menu);
    virtual Menu* menu() const;

    // Lets a control react to a key equivalent; by default asks the subviews.
    virtual bool performKeyEquivalent(const Event& event);

    Responder* nextResponder() const override;
    void rightMouseDown(const Event& event) override;

protected:
    // Where a subview with the frame lies in this widget's Qt coordinates.
    virtual QRectF qtRectForSubviewFrame(const Rect& frame) const;
    // Called after a subview's frame was applied.
    virtual void subviewFrameDidChange(View*) {}
    // Points in this view's coordinates and in its widget's Qt coordinates.
    virtual QPointF toLocalQt(Point point) const;
    virtual Point fromLocalQt(const QPointF& point) const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    struct TrackingRect {
        int tag;
        Rect rect;
        bool inside;
    };

    // Sets the widget's geometry from the frame and places the subviews again.
    void applyGeometry();
    void restack();
    void updateTracking(const QPointF& localPosition, bool left);

    Rect frame_;
    bool hidden_ = false;
    View* superview_ = nullptr;
    QList<View*> subviews_;
    QList<TrackingRect> trackingRects_;
    std::unique_ptr<Menu> menu_;
};

} // namespace ns
