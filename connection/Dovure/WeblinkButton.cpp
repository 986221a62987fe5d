#include "connection/Dovure/WeblinkButton.h"

#include "platform/ns/appkit/Workspace.h"

WeblinkButton::WeblinkButton(const ns::Rect& frame) : ns::Button(frame) {}

void WeblinkButton::setWebLinkString(const QString& text)
{
    webLink_ = text.isNull() ? QUrl() : QUrl(text);
}

void WeblinkButton::mouseDown(const ns::Event& event)
{
    pressed_ = isEnabled();
    ns::Button::mouseDown(event);
}

void WeblinkButton::mouseUp(const ns::Event& event)
{
    const bool clicked =
        pressed_ && isEnabled() && bounds().containsPoint(convertPoint(event.locationInWindow(), nullptr));
    pressed_ = false;
    ns::Button::mouseUp(event);
    if (clicked)
        openLink();
}

void WeblinkButton::openLink() const
{
    ns::Workspace& workspace = ns::Workspace::sharedWorkspace();
    switch (linkType_) {
    case WebAddressLink:
        workspace.openURL(webLink_);
        break;
    case ApplicationLink:
        if (!linkPara_.isEmpty())
            workspace.openFile(linkPara_, webLink_.toString());
        else
            workspace.launchApplication(webLink_.toString());
        break;
    default:
        break;
    }
}
