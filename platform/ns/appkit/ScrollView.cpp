#include "platform/ns/appkit/ScrollView.h"

#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/TableView.h"

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ns
{

namespace
{

constexpr double lineScroll = 10;

} // namespace

// ---- clip view ----

ClipView::ClipView(const Rect& frame) : View(frame) {}

View* ClipView::setDocumentView(View* view)
{
    View* previous = document_;
    if (view == previous)
        return nullptr;
    if (previous)
        previous->removeFromSuperview();
    document_ = view;
    offset_ = QPointF();
    if (view)
        addSubview(view);
    return previous;
}

QPointF ClipView::maximumOffset() const
{
    if (!document_)
        return {};
    const Size doc = document_->frame().size;
    return {std::max(0.0, doc.width - width()), std::max(0.0, doc.height - height())};
}

void ClipView::setScrollOffset(QPointF offset)
{
    const QPointF most = maximumOffset();
    offset = QPointF(std::clamp(offset.x(), 0.0, most.x()), std::clamp(offset.y(), 0.0, most.y()));
    if (offset == offset_)
        return;
    offset_ = offset;
    if (document_)
        document_->setFrame(document_->frame());
    if (auto* scrollView = dynamic_cast<ScrollView*>(superview()))
        scrollView->reflectScrolledClipView(this);
}

void ClipView::scrollToPoint(Point point)
{
    if (!document_)
        return;
    const double docHeight = document_->frame().size.height;
    const double y = document_->isFlipped() ? point.y : docHeight - height() - point.y;
    setScrollOffset({point.x, y});
}

Rect ClipView::documentVisibleRect() const
{
    if (!document_)
        return {};
    const Size doc = document_->frame().size;
    const double w = std::min<double>(width(), doc.width), h = std::min<double>(height(), doc.height);
    const double y = document_->isFlipped() ? offset_.y() : doc.height - offset_.y() - h;
    return {offset_.x(), y, w, h};
}

QRectF ClipView::qtRectForSubviewFrame(const Rect& frame) const
{
    // A document hangs from the top, scrolled by the offset; a short
    // document that is not flipped sits at the bottom, as its origin says.
    const bool shortUnflipped = document_ && !document_->isFlipped() && frame.height() < height();
    const double y = shortUnflipped ? height() - frame.height() : -offset_.y();
    return {-offset_.x(), y, frame.width(), frame.height()};
}

void ClipView::subviewFrameDidChange(View* subview)
{
    if (subview != document_)
        return;
    const QPointF most = maximumOffset();
    offset_ = QPointF(std::min(offset_.x(), most.x()), std::min(offset_.y(), most.y()));
    if (auto* scrollView = dynamic_cast<ScrollView*>(superview()))
        scrollView->tile();
}

// ---- scroll view ----

ScrollView::ScrollView(const Rect& frame)
    : View(frame), clip_(new ClipView()), vertical_(new QScrollBar(Qt::Vertical, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this))
{
    addSubview(clip_);
    QObject::connect(vertical_, &QScrollBar::valueChanged, vertical_, [this](int value) {
        clip_->setScrollOffset({clip_->scrollOffset().x(), double(value)});
    });
    QObject::connect(horizontal_, &QScrollBar::valueChanged, horizontal_, [this](int value) {
        clip_->setScrollOffset({double(value), clip_->scrollOffset().y()});
    });
    tile();
}

View* ScrollView::setDocumentView(View* view)
{
    View* previous = clip_->setDocumentView(view);
    tile();
    return previous;
}

void ScrollView::setHasVerticalScroller(bool has)
{
    hasVertical_ = has;
    tile();
}

void ScrollView::setHasHorizontalScroller(bool has)
{
    hasHorizontal_ = has;
    tile();
}

void ScrollView::setAutohidesScrollers(bool autohides)
{
    autohides_ = autohides;
    tile();
}

void ScrollView::setBorderType(int type)
{
    borderType_ = type;
    tile();
}

void ScrollView::setDrawsBackground(bool draws)
{
    drawsBackground_ = draws;
    update();
}

void ScrollView::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    update();
}

void ScrollView::setFrame(const Rect& frame)
{
    View::setFrame(frame);
    tile();
}

double ScrollView::borderWidth() const
{
    return borderType_ == NoBorder ? 0 : borderType_ == LineBorder ? 1 : 2;
}

void ScrollView::tile()
{
    if (tiling_)
        return;
    tiling_ = true;
    const double border = borderWidth();
    const Rect inner = bounds().insetBy(border, border);
    View* document = documentView();
    if (auto* table = dynamic_cast<TableView*>(document)) {
        vertical_->hide();
        horizontal_->hide();
        clip_->setFrame(inner);
        table->setFrame({0, 0, inner.width(), inner.height()});
        table->setScrollers(hasHorizontal_, hasVertical_, autohides_);
        tiling_ = false;
        return;
    }
    const Size doc = document ? document->frame().size : Size();
    const double extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool showVertical = hasVertical_ && (!autohides_ || doc.height > inner.height());
    const bool showHorizontal =
        hasHorizontal_ && (!autohides_ || doc.width > inner.width() - (showVertical ? extent : 0));
    if (showHorizontal && hasVertical_ && !showVertical && doc.height > inner.height() - extent)
        showVertical = true;
    Rect clipFrame = inner;
    if (showVertical)
        clipFrame.size.width -= extent;
    if (showHorizontal) {
        clipFrame.origin.y += extent;
        clipFrame.size.height -= extent;
    }
    clipFrame.size.width = std::max(0.0, clipFrame.width());
    clipFrame.size.height = std::max(0.0, clipFrame.height());
    clip_->setFrame(clipFrame);
    vertical_->setGeometry(QRectF(border + clipFrame.width(), border, extent, clipFrame.height()).toRect());
    horizontal_->setGeometry(QRectF(border, border + clipFrame.height(), clipFrame.width(), extent).toRect());
    vertical_->setVisible(showVertical);
    horizontal_->setVisible(showHorizontal);
    reflectScrolledClipView(clip_);
    tiling_ = false;
}

void ScrollView::reflectScrolledClipView(ClipView* clipView)
{
    if (clipView != clip_)
        return;
    const View* document = documentView();
    const Size doc = document ? document->frame().size : Size();
    const QSignalBlocker blockVertical(vertical_), blockHorizontal(horizontal_);
    vertical_->setRange(0, int(std::max(0.0, doc.height - clip_->height())));
    vertical_->setPageStep(clip_->height());
    vertical_->setSingleStep(int(lineScroll));
    vertical_->setValue(int(clip_->scrollOffset().y()));
    horizontal_->setRange(0, int(std::max(0.0, doc.width - clip_->width())));
    horizontal_->setPageStep(clip_->width());
    horizontal_->setSingleStep(int(lineScroll));
    horizontal_->setValue(int(clip_->scrollOffset().x()));
}

void ScrollView::drawRect(const Rect&)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context)
        return;
    QPainter& painter = context->painter();
    if (drawsBackground_)
        painter.fillRect(context->toQt(bounds()), backgroundColor_.qColor());
    if (borderType_ == LineBorder) {
        painter.save();
        painter.setPen(Color::gridColor().qColor());
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
    } else if (borderType_ != NoBorder) {
        QStyleOptionFrame option;
        option.initFrom(this);
        option.rect = rect();
        option.lineWidth = int(borderWidth());
        option.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
    }
}

void ScrollView::scrollWheel(const Event& event)
{
    if (!vertical_->isVisibleTo(this) && !horizontal_->isVisibleTo(this))
        return View::scrollWheel(event);
    const QPointF offset = clip_->scrollOffset();
    clip_->setScrollOffset({offset.x(), offset.y() - event.deltaY() * 3 * lineScroll});
}

} // namespace ns
