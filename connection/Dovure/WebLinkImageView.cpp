#include "connection/Dovure/WebLinkImageView.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Workspace.h"

#include <QMouseEvent>

WebLinkImageView::WebLinkImageView(const ns::Rect& frame) : ns::ImageView(frame) {}

void WebLinkImageView::setWebLinkString(const QString& text)
{
    webLink_ = text.isNull() ? QUrl() : QUrl(text);
}

void WebLinkImageView::mouseDown(const ns::Event&)
{
    if (isEnabled())
        ns::Workspace::sharedWorkspace().openURL(webLink_);
    else
        ns::NotificationCenter::defaultCenter().postNotificationName(kWebLinkImageViewDisabledNotification,
                                                                     this);
}

bool WebLinkImageView::event(QEvent* event)
{
    if (!isEnabled() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        mouseDown(ns::Event::fromQt(*static_cast<QMouseEvent*>(event), ns::LeftMouseDown, this));
        return true;
    }
    return ns::ImageView::event(event);
}
