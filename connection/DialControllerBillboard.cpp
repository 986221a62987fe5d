// The operator's billboard on the Internet view: three pictures of the data
// folder ("images/u1.jpg" to "images/u3.jpg") rolled every three seconds
// from the first finished image download until the connection goes idle,
// with arrows to step back and forth.
#include "connection/DialController.h"

#include "platform/ns/Bundle.h"
#include "platform/ns/Notification.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"

#include <QDir>
#include <QFileInfo>

namespace
{

constexpr int kBillboardPictures = 3;
constexpr double kBillboardInterval = 3.0;
// The pictures stand bottom right on the Internet view, an arrow at each side.
constexpr double kPictureWidth = 160;
constexpr double kPictureHeight = 70;
constexpr double kArrowSize = 20;
constexpr double kMargin = 24;
constexpr double kBottom = 14;

ns::Image defaultBillboardPicture()
{
    return ns::Image::imageWithContentsOfFile(
        ns::Bundle::mainBundle().pathForResource(QStringLiteral("DataInterfaceBack"), QStringLiteral("jpg")));
}

} // namespace

void DialController::loadBillboardView(ns::View* page, const ns::Rect& bounds)
{
    const double right = bounds.maxX() - kMargin;
    const double pictureLeft = right - kArrowSize - 4 - kPictureWidth;
    imageViewOfShowImageForBillboard_ =
        new ns::ImageView(ns::Rect(pictureLeft, kBottom, kPictureWidth, kPictureHeight));
    page->addSubview(imageViewOfShowImageForBillboard_);
    const double arrowY = kBottom + (kPictureHeight - kArrowSize) / 2;
    const auto arrow = [&](double left, const char* title, const char* action) {
        auto* button = new ns::Button(ns::Rect(left, arrowY, kArrowSize, kArrowSize));
        button->setTitle(QString::fromLatin1(title));
        button->setTarget(this);
        button->setAction(QString::fromLatin1(action));
        page->addSubview(button);
        return button;
    };
    btnOfDownForBillboard_ = arrow(pictureLeft - 4 - kArrowSize, "<", "browserAPictureForBillboard:");
    btnOfUpForBillboard_ = arrow(right - kArrowSize, ">", "browserNextPictureForBillboard:");
}

void DialController::initBillboardView()
{
    for (ns::Button* arrow : {btnOfDownForBillboard_, btnOfUpForBillboard_})
        if (arrow)
            arrow->setHidden(true);
    if (imageViewOfShowImageForBillboard_)
        imageViewOfShowImageForBillboard_->setImage(defaultBillboardPicture());
}

void DialController::imageDownloadFinishForBillboard()
{
    if (!switches_.isDisplayBillboard())
        return;
    borwserPicIndexforBillboard_ = 1;
    for (ns::Button* arrow : {btnOfDownForBillboard_, btnOfUpForBillboard_})
        if (arrow)
            arrow->setHidden(false);
    ns::invalidateAndRelease(timerOfAutoBrowserPicForBillboard_);
    timerOfAutoBrowserPicForBillboard_ = ns::Timer::scheduledTimer(
        kBillboardInterval, true, [this](ns::Timer&) { browserNextPictureForBillboard(nullptr); });
}

void DialController::browserNextPictureForBillboard(ns::Object*)
{
    borwserPicIndexforBillboard_ = borwserPicIndexforBillboard_ % kBillboardPictures + 1;
    showPictureForBillboard();
}

void DialController::browserAPictureForBillboard(ns::Object*)
{
    borwserPicIndexforBillboard_ =
        borwserPicIndexforBillboard_ <= 1 ? kBillboardPictures : borwserPicIndexforBillboard_ - 1;
    showPictureForBillboard();
}

void DialController::showPictureForBillboard()
{
    const QString picture = QDir(configStore().modemListPath())
                                .filePath(QStringLiteral("images/u%1.jpg").arg(borwserPicIndexforBillboard_));
    if (imageViewOfShowImageForBillboard_ && QFileInfo(picture).isFile())
        imageViewOfShowImageForBillboard_->setImage(ns::Image::imageWithContentsOfFile(picture));
    setBillboardArrowsEnabled(true);
}

void DialController::stopBillboard()
{
    ns::invalidateAndRelease(timerOfAutoBrowserPicForBillboard_);
    if (imageViewOfShowImageForBillboard_)
        imageViewOfShowImageForBillboard_->setImage(defaultBillboardPicture());
    setBillboardArrowsEnabled(false);
}

void DialController::setBillboardArrowsEnabled(bool enabled)
{
    for (ns::Button* arrow : {btnOfDownForBillboard_, btnOfUpForBillboard_})
        if (arrow && !arrow->isHidden())
            arrow->setEnabled(enabled);
}

void DialController::connectStatusDidChange(ns::Notification* notification)
{
    if (notification && notification->userInfo().value(QStringLiteral("ConnectStatus")).intValue() == Idle)
        stopBillboard();
}
