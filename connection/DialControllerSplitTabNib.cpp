// The split Internet tab's pages, built in code into the Internet page: the
// pre-connection page takes the connect controls, the post-connection page
// holds from top to bottom the banner (with the home-page web view), the
// promotion area, the portal links, and the favourite links beside the
// disconnect button.
#include "connection/DialController.h"

#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WeblinkButton.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/TabView.h"

namespace
{

constexpr double kMargin = 24;
constexpr double kGap = 10;
constexpr double kBannerHeight = 96;
constexpr double kPromoHeight = 60;
// The portal buttons stand in two rows of three.
constexpr int kCustomLinkColumns = 3;
constexpr double kCustomLinkHeight = 30;
constexpr double kCustomLinkRowGap = 4;
constexpr double kFavoriteLinkSize = 44;
constexpr double kButtonWidth = 160;
constexpr double kButtonHeight = 40;
constexpr double kBottom = 20;

} // namespace

ns::View* DialController::loadSplitTabView(ns::View* page, const ns::Rect& bounds)
{
    internetSwitchTab_ = new ns::TabView(bounds);
    internetSwitchTab_->setTabViewType(ns::NoTabsNoBorder);
    internetSwitchTab_->setDrawsBackground(false);
    auto pre = std::make_unique<ns::TabViewItem>(QStringLiteral("PreInternet"));
    auto post = std::make_unique<ns::TabViewItem>(QStringLiteral("PostInternet"));
    ns::View* prePage = pre->view();
    loadPostInternetView(post->view(), bounds);
    internetSwitchTab_->addTabViewItem(std::move(pre));
    internetSwitchTab_->addTabViewItem(std::move(post));
    page->addSubview(internetSwitchTab_);
    buildFavoriteIconHint();
    return prePage;
}

void DialController::loadPostInternetView(ns::View* page, const ns::Rect& bounds)
{
    const double width = bounds.width() - 2 * kMargin;
    double top = bounds.height() - kGap;

    top -= kBannerHeight;
    bgupWeblinkView_ = new WebLinkImageView(ns::Rect(kMargin, top, width, kBannerHeight));
    bgupWeblinkView_->setImageScaling(ns::ImageScaleProportionallyUpOrDown);
    bgupWeblinkView_->setImageFrameStyle(ns::ImageFrameGrayBezel);
    page->addSubview(bgupWeblinkView_);

    top -= kGap + kPromoHeight;
    auto* promo = new ns::Box(ns::Rect(kMargin, top, width, kPromoHeight));
    promo->setBoxType(ns::BoxCustom);
    promo->setBorderType(ns::LineBorder);
    promo->setTitlePosition(ns::NoTitle);
    promo->setBorderColor(ns::Color::lightGrayColor());
    promo->setContentViewMargins({0, 0});
    bgContainerView_ = promo->contentView();
    page->addSubview(promo);

    top -= kGap;
    const double customWidth = (width - (kCustomLinkColumns - 1) * kGap) / kCustomLinkColumns;
    WeblinkButton** custom[] = {&customLinkBtn1_, &customLinkBtn2_, &customLinkBtn3_,
                                &customLinkBtn4_, &customLinkBtn5_, &customLinkBtn6_};
    for (int i = 0; i < kFavouriteIconCount; ++i) {
        const int row = i / kCustomLinkColumns;
        const int column = i % kCustomLinkColumns;
        auto* button = new WeblinkButton(ns::Rect(
            kMargin + column * (customWidth + kGap),
            top - (row + 1) * kCustomLinkHeight - row * kCustomLinkRowGap, customWidth, kCustomLinkHeight));
        button->setBezelStyle(ns::RoundedBezelStyle);
        button->setHidden(true);
        page->addSubview(button);
        *custom[i] = button;
    }

    // The bottom row: the favourite icons from the left, each shown once its
    // link gives it an image, and the disconnect button at the right.
    WeblinkButton** favorites[] = {&favoriteLinkBtn1_, &favoriteLinkBtn2_, &favoriteLinkBtn3_,
                                   &favoriteLinkBtn4_, &favoriteLinkBtn5_, &favoriteLinkBtn6_};
    for (int i = 0; i < kFavouriteIconCount; ++i) {
        auto* button = new WeblinkButton(ns::Rect(kMargin + i * (kFavoriteLinkSize + kGap), kBottom,
                                                  kFavoriteLinkSize, kFavoriteLinkSize));
        button->setBordered(false);
        button->setImagePosition(ns::ImageOnly);
        button->setHidden(true);
        page->addSubview(button);
        *favorites[i] = button;
    }

    postConnectBtn_ = new ns::Button(ns::Rect(bounds.width() - kMargin - kButtonWidth,
                                              kBottom + (kFavoriteLinkSize - kButtonHeight) / 2, kButtonWidth,
                                              kButtonHeight));
    postConnectBtn_->setBezelStyle(ns::RoundedBezelStyle);
    postConnectBtn_->setTarget(this);
    postConnectBtn_->setAction(QStringLiteral("DialOption:"));
    page->addSubview(postConnectBtn_);
}
