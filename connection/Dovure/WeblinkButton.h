#pragma once

#include "platform/ns/appkit/Button.h"

#include <QString>
#include <QUrl>

// A button that opens a link when clicked while enabled: a web address
// (type 1) in the default browser, or (type 0) the application named by the
// link, with the file of linkPara when there is one. Other types do nothing.
// The button's own action is sent as usual.
class WeblinkButton : public ns::Button
{
public:
    enum LinkType { ApplicationLink = 0, WebAddressLink = 1 };

    explicit WeblinkButton(const ns::Rect& frame = ns::Rect());

    const QUrl& webLink() const { return webLink_; }
    // A null text clears the link.
    void setWebLinkString(const QString& text);
    int linkType() const { return linkType_; }
    void setLinkType(int type) { linkType_ = type; }
    const QString& linkPara() const { return linkPara_; }
    void setLinkPara(const QString& para) { linkPara_ = para; }

    void mouseDown(const ns::Event& event) override;
    void mouseUp(const ns::Event& event) override;

private:
    void openLink() const;

    QUrl webLink_;
    int linkType_ = WebAddressLink;
    QString linkPara_;
    bool pressed_ = false;
};
