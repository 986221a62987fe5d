// The hint that the favourite link buttons can be changed: a small note
// beside the main window, or inside it, shown while the post-connection
// page is in front until the user asks not to be told again.
#include "connection/DialController.h"

#include "connection/Dovure/FavoriteIconHintWindow.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

const QString kShouldShowHint = QStringLiteral("ShouldShowFavouriteIconConfigHint");
constexpr double kHintWidth = 400;
constexpr double kHintHeight = 58;
// Where the hint stands from the main window's centre, as a window of its
// own and inside the main window.
constexpr double kWindowOffsetX = 165;
constexpr double kWindowOffsetY = -65;
constexpr double kViewOffsetX = 173;
constexpr double kViewOffsetY = -45;

} // namespace

void DialController::buildFavoriteIconHint()
{
    if (favoriteIconHintWindow_)
        return;
    favoriteIconHintWindow_ =
        std::make_unique<FavoriteIconHintWindow>(ns::Rect(0, 0, kHintWidth, kHintHeight));
    // The window is see-through: the note draws its own paper.
    auto* note = new ns::Box(ns::Rect(0, 0, kHintWidth, kHintHeight));
    note->setBoxType(ns::BoxCustom);
    note->setBorderType(ns::LineBorder);
    note->setTitlePosition(ns::NoTitle);
    note->setFillColor(ns::Color::colorWithCalibratedRed(1.0, 0.97, 0.8));
    note->setBorderColor(ns::Color::grayColor());
    note->setContentViewMargins({0, 0});
    ns::View* content = note->contentView();
    const ns::Font font = ns::Font::systemFontOfSize(11);
    favoriteHintTextfield_ = ns::TextField::labelWithFrame(ns::Rect(10, 32, kHintWidth - 44, 18), font);
    content->addSubview(favoriteHintTextfield_);
    auto* close = new ns::Button(ns::Rect(kHintWidth - 28, 32, 20, 20));
    close->setTitle(QStringLiteral("\u00d7"));
    close->setBordered(false);
    close->setTarget(this);
    close->setAction(QStringLiteral("closefavoriteIconHintWindow:"));
    content->addSubview(close);
    stopNotifyHintCheckbox_ = new ns::Button(ns::Rect(10, 8, kHintWidth - 20, 20));
    stopNotifyHintCheckbox_->setButtonType(ns::SwitchButton);
    stopNotifyHintCheckbox_->setFont(font);
    stopNotifyHintCheckbox_->setTarget(this);
    stopNotifyHintCheckbox_->setAction(QStringLiteral("stopNotifyHintClicked:"));
    content->addSubview(stopNotifyHintCheckbox_);
    delete favoriteIconHintWindow_->setContentView(note);
    favoriteIconHintView_ = note;
}

void DialController::hintFavoriteIconConfigrable()
{
    if (!configFlag(QString(), kShouldShowHint) || !wndMain)
        return;
    buildFavoriteIconHint();
    const ns::Rect main = wndMain->frame();
    if (switches_.makeFavoriteIconHintWindowIntoSubviewOfMainWnd() && favoriteIconHintView_) {
        if (!favoriteIconHintInMainWindow_) {
            const ns::Rect view = favoriteIconHintView_->frame();
            (void)favoriteIconHintWindow_->setContentView(nullptr);
            favoriteIconHintView_->setFrameOrigin(
                {view.minX() + (main.width() - view.width()) / 2 + kViewOffsetX,
                 view.minY() + (main.height() - view.height()) / 2 + kViewOffsetY});
            wndMain->contentView()->addSubview(favoriteIconHintView_);
            favoriteIconHintInMainWindow_ = true;
        }
        favoriteIconHintView_->setHidden(false);
        return;
    }
    if (favoriteIconHintInMainWindow_)
        return;
    const ns::Rect hint = favoriteIconHintWindow_->frame();
    favoriteIconHintWindow_->setFrameOrigin(
        {main.minX() + (main.width() - hint.width()) / 2 + kWindowOffsetX,
         main.minY() + (main.height() - hint.height()) / 2 + kWindowOffsetY});
    favoriteIconHintWindow_->makeKeyAndOrderFront(nullptr);
}

void DialController::closefavoriteIconHintWindow(ns::Object*)
{
    if (favoriteIconHintInMainWindow_) {
        if (favoriteIconHintView_)
            favoriteIconHintView_->setHidden(true);
    } else if (favoriteIconHintWindow_) {
        favoriteIconHintWindow_->orderOut(nullptr);
    }
}

void DialController::stopNotifyHintClicked(ns::Object*)
{
    if (!stopNotifyHintCheckbox_)
        return;
    configStore().setConfigurationByModule(kShouldShowHint, stopNotifyHintCheckbox_->state() != ns::OnState);
    // A failed write keeps the choice for this run; the file stays as it was.
    if (!configStore().writeToFile())
        qWarning("The favourite-icon hint's setting was not written");
}
