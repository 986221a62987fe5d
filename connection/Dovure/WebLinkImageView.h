#pragma once

#include "platform/ns/appkit/ImageView.h"

#include <QString>
#include <QUrl>

inline const QString kWebLinkImageViewDisabledNotification = QStringLiteral("WebLinkImageViewDisabled");
// The link images work while a connection is up: the connection posts these
// as it comes up and goes down.
inline const QString kSetWebLinkImageViewEnabledNotification = QStringLiteral("SetWebLinkImageViewEnabled");
inline const QString kSetWebLinkImageViewDisabledNotification = QStringLiteral("SetWebLinkImageViewDisabled");

// An image that opens its link in the default browser when clicked; while
// disabled a click posts "WebLinkImageViewDisabled" (object: the view) instead.
class WebLinkImageView : public ns::ImageView
{
public:
    explicit WebLinkImageView(const ns::Rect& frame = ns::Rect());

    const QUrl& webLink() const { return webLink_; }
    // A null text clears the link.
    void setWebLinkString(const QString& text);

    void mouseDown(const ns::Event& event) override;

protected:
    // A disabled view still takes the click, to say why nothing opens.
    bool event(QEvent* event) override;

private:
    QUrl webLink_;
};
