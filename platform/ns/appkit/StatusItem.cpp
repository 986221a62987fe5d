#include "platform/ns/appkit/StatusItem.h"

#include "platform/ns/appkit/Event.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/View.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace ns
{

StatusItem::StatusItem(StatusBar* statusBar, double length) : statusBar_(statusBar), length_(length) {}

StatusItem::~StatusItem()
{
    statusBar_->items_.removeOne(this);
}

void StatusItem::setView(View* view)
{
    view_ = view;
    setNeedsDisplay();
}

void StatusItem::setNeedsDisplay()
{
    if (redrawPending_)
        return;
    redrawPending_ = true;
    QMetaObject::invokeMethod(
        &context_, [this] { redraw(); }, Qt::QueuedConnection);
}

void StatusItem::redraw()
{
    redrawPending_ = false;
    if (view_ && !view_->size().isEmpty()) {
        QPixmap pixmap(view_->size());
        pixmap.fill(Qt::transparent);
        view_->render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren);
        displayedImage_ = Image(pixmap.toImage());
    } else {
        displayedImage_ = Image();
    }
    showInTray();
}

void StatusItem::showInTray()
{
    if (displayedImage_.isNull()) {
        if (trayIcon_)
            trayIcon_->hide();
        return;
    }
    if (!trayIcon_) {
        if (!statusBar_->isAvailable())
            return;
        trayIcon_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(trayIcon_.get(), &QSystemTrayIcon::activated, &context_,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                                 click();
                             else if (reason == QSystemTrayIcon::Context)
                                 contextClick();
                         });
    }
    trayIcon_->setIcon(displayedImage_.icon());
    trayIcon_->show();
}

bool StatusItem::isShown() const
{
    return trayIcon_ && trayIcon_->isVisible();
}

void StatusItem::click()
{
    if (!view_)
        return;
    const QPointF centre(view_->width() / 2.0, view_->height() / 2.0);
    const QPointF global = view_->mapToGlobal(centre);
    const QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    const QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                              Qt::NoModifier);
    view_->mouseDown(Event::fromQt(press, LeftMouseDown, view_));
    view_->mouseUp(Event::fromQt(release, LeftMouseUp, view_));
}

void StatusItem::contextClick()
{
    if (view_)
        popUpStatusItemMenu(view_->menu());
}

void StatusItem::popUpStatusItemMenu(Menu* menu)
{
    if (!menu || !isShown())
        return;
    const QRect area = trayIcon_->geometry();
    menu->qMenu()->exec(area.isValid() ? area.bottomLeft() : QCursor::pos());
}

StatusBar& StatusBar::systemStatusBar()
{
    static StatusBar bar;
    return bar;
}

std::unique_ptr<StatusItem> StatusBar::statusItemWithLength(double length)
{
    std::unique_ptr<StatusItem> item(new StatusItem(this, length));
    items_.append(item.get());
    return item;
}

bool StatusBar::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace ns
