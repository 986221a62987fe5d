// The split Internet tab: the page of the connection's state, the link
// refresh five seconds after connecting, the main tab's changes, the
// favourite link buttons, the banner renewed by a download, and the hint
// about the favourite icons with its "do not notify" box.
#include "connection/Dovure/DownloadUtilities.h"
#include "connection/Dovure/FavoriteIconHintWindow.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WeblinkButton.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/Window.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace
{

using dial_test::DialApp;

const QString kPreInternet = QStringLiteral("PreInternet");
const QString kPostInternet = QStringLiteral("PostInternet");

// The split process over NDIS, with these top-level entries added.
ns::Dictionary splitSettings(const ns::Dictionary& top = ns::Dictionary(),
                             const ns::Dictionary& internet = ns::Dictionary())
{
    ns::Dictionary settings = top.copy();
    settings.setValue(QStringLiteral("EnableSplitConnectionProcess"), true);
    settings.setValue(QStringLiteral("ConnectType"), 1);
    return dial_test::withSettings(settings, internet);
}

// An image of that width, as PNG bytes.
QByteArray pngOfWidth(int width)
{
    QImage image(width, 10, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The controller with its Internet page split, the device there, its NDIS
// statuses handed to it, and a main window.
struct SplitApp : DialApp {
    explicit SplitApp(const ns::Dictionary& settings) : DialApp(settings, Answers::Delivered)
    {
        dial.isDeviceRemoved = false;
        mainWindow->setFrame(ns::Rect(100, 200, 700, 500), false);
        dial.wndMain = mainWindow.get();
    }
    ~SplitApp() { dial.wndMain = nullptr; }

    void status(int status)
    {
        deliver(msg::connection::kNDISDialStatus, PayloadWriter(4).setInt32(0, status).bytes());
    }
    QString splitPage() const
    {
        ns::TabViewItem* item = dial.internetSwitchTab_->selectedTabViewItem();
        return item ? item->identifier() : QString();
    }
    QString dataFile(const QString& name) const { return bundle.dataFolder() + QLatin1Char('/') + name; }
    bool hintShown() const
    {
        return dial.favoriteIconHintWindow_ && dial.favoriteIconHintWindow_->isVisible();
    }

    std::unique_ptr<ns::Window> mainWindow = appkit_test::shownWindow(ns::Rect(100, 200, 700, 480));
};

// Lets the link refresh's requests run until the server has seen the count.
bool serverSees(const LocalHttpServer& server, int count)
{
    const QDeadlineTimer guard(60000);
    while (server.requests().size() < count && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return server.requests().size() >= count;
}

void waitForDownloads()
{
    const QDeadlineTimer guard(60000);
    while (DownloadUtilities::sharedDownloadManager().pendingRequests() > 0 && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

TEST(SplitInternetTab, ThePageFollowsTheConnectionAndTheLinksAreRefreshedFiveSecondsAfterConnecting)
{
    for (const bool dovure : {false, true}) {
        SCOPED_TRACE(dovure ? "DovureSplit" : "split");
        LocalHttpServer server;
        SplitApp app(splitSettings({{"DovureSplit", dovure}}));
        // The link refresh works on the data folder's list from set-up on.
        EXPECT_EQ(WeblinkUpdateUtilities::sharedUpdateManager().cfgFile(), app.dataFile("IconLinks.plist"));
        const QString banner = app.dataFile("dovure/images/MainimageTitle_Cropped.jpg");
        ASSERT_TRUE(writeFile(banner, pngOfWidth(48)));
        ASSERT_TRUE(ns::PropertyList::writeFile(
            app.dataFile("IconLinks.plist"),
            ns::Array{ns::Dictionary{{kImageURLKey, server.url("/promo.swf").toString()},
                                     {kImageStorePathKey, app.dataFile("dovure/images/promo.swf")}},
                      ns::Dictionary{{kImageURLKey, ""}, {kImageStorePathKey, banner}}}));
        WeblinkUpdateUtilities::sharedUpdateManager().loadcfg();
        ASSERT_NE(app.dial.internetSwitchTab_, nullptr);
        // The connect controls stand on the page shown before connecting.
        EXPECT_EQ(app.dial.m_ConnectButton->superview(),
                  app.dial.internetSwitchTab_->tabViewItemAtIndex(0)->view());
        const QString idlePage = dovure ? kPostInternet : kPreInternet;
        EXPECT_EQ(app.splitPage(), idlePage);
        EXPECT_EQ(app.dial.postConnectBtn_->title(), dovure ? "Connect" : "Disconnect");

        app.status(1);
        EXPECT_EQ(app.splitPage(), kPostInternet);
        EXPECT_EQ(app.dial.postConnectBtn_->title(), "Disconnect");
        // The stored banner shows at once.
        EXPECT_EQ(app.dial.bgupWeblinkView_->image().size().width, 48);
        app.clock.advance(4.9);
        QCoreApplication::processEvents();
        EXPECT_TRUE(server.requests().isEmpty());
        app.clock.advance(0.2);
        ASSERT_TRUE(serverSees(server, 1));
        EXPECT_EQ(server.requests().at(0).path, "/promo.swf");

        app.status(0);
        EXPECT_EQ(app.splitPage(), idlePage);
        // No refresh follows the end of a connection.
        app.clock.advance(10);
        waitForDownloads();
        EXPECT_EQ(server.requests().size(), 1);
    }
}

TEST(SplitInternetTab, TheDovureSplitShowsTheStoredBannerFromTheStart)
{
    QString banner;
    DialApp app(splitSettings({{"DovureSplit", true}}), DialApp::Answers::None, [&](const QString& data) {
        banner = data + "/dovure/images/MainimageTitle_Cropped.jpg";
        ASSERT_TRUE(writeFile(banner, pngOfWidth(24)));
        ASSERT_TRUE(ns::PropertyList::writeFile(data + "/IconLinks.plist",
                                                ns::Array{ns::Dictionary{{kImageStorePathKey, banner}}}));
    });
    EXPECT_EQ(app.dial.bgupWeblinkView_->image().size().width, 24);
}

TEST(SplitInternetTab, WithoutTheSplitProcessTheInternetPageStaysWhole)
{
    DialApp app(dial_test::withSettings({{"DovureSplit", true}}));
    EXPECT_EQ(app.dial.internetSwitchTab_, nullptr);
    EXPECT_EQ(app.dial.m_ConnectButton->superview(), app.tabs.tabViewItemAtIndex(0)->view());
    app.dial.setConnectStatus(DialController::Connected);
    app.dial.switchInternetTabAction();
    EXPECT_EQ(app.dial.updateWebLinkTimer_, nullptr);
}

TEST(SplitInternetTab, FavouriteButtonsTakeTheirLinksAndOnlyAReadableImageShowsOne)
{
    SplitApp app(splitSettings());
    const QString icon = app.dataFile("icons/mail.png");
    ASSERT_TRUE(writeFile(icon, pngOfWidth(32)));
    ASSERT_TRUE(writeFile(app.dataFile("icons/broken.png"), "not an image"));
    ASSERT_TRUE(ns::PropertyList::writeFile(
        app.dataFile("FavoriteLinks.plist"),
        ns::Array{
            ns::Dictionary{{"Index", 0}, {"Image", icon}, {"Type", 1}, {"Path", "https://mail.example/"}},
            ns::Dictionary{{"Index", 1},
                           {"Image", app.dataFile("icons/broken.png")},
                           {"Type", 1},
                           {"Path", "https://news.example/"}},
            ns::Dictionary{{"Index", 2}, {"Type", 1}, {"Path", "https://shop.example/"}},
            ns::Dictionary{{"Index", 5},
                           {"Image", icon},
                           {"Type", 0},
                           {"Path", "/usr/bin/editor"},
                           {"Para", "/tmp/notes"}},
            // Outside the six positions, or without a position: no button.
            ns::Dictionary{{"Index", 6}, {"Image", icon}, {"Type", 1}, {"Path", "https://far.example/"}},
            ns::Dictionary{{"Image", icon}, {"Type", 1}, {"Path", "https://nowhere.example/"}},
        }));
    // The settings' favourite-link page saved the file: the buttons take it again.
    app.dial.loadFavoritesLinkPropeties();

    const struct {
        WeblinkButton* button;
        bool shown;
        QString link;
        int type;
        QString para;
    } cases[] = {
        {app.dial.favoriteLinkBtn1_, true, "https://mail.example/", WeblinkButton::WebAddressLink, ""},
        {app.dial.favoriteLinkBtn2_, false, "https://news.example/", WeblinkButton::WebAddressLink, ""},
        {app.dial.favoriteLinkBtn3_, false, "https://shop.example/", WeblinkButton::WebAddressLink, ""},
        {app.dial.favoriteLinkBtn4_, false, "", WeblinkButton::WebAddressLink, ""},
        {app.dial.favoriteLinkBtn6_, true, "/usr/bin/editor", WeblinkButton::ApplicationLink, "/tmp/notes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.link));
        ASSERT_NE(c.button, nullptr);
        EXPECT_EQ(!c.button->isHidden(), c.shown);
        EXPECT_EQ(c.button->webLink().toString(), c.link);
        EXPECT_EQ(c.button->linkType(), c.type);
        EXPECT_EQ(c.button->linkPara(), c.para);
    }
    EXPECT_EQ(app.dial.favoriteLinkBtn1_->image().size().width, 32);
}

TEST(SplitInternetTab, ACustomLinkOpensItsPortalPage)
{
    SplitApp app(splitSettings({}, {{"OperatorPortalURLs", ns::Array{"https://portal.example/mail",
                                                                     "https://portal.example/music"}}}));
    app.status(1);
    device_test::OpenedLinks browser;
    EXPECT_EQ(app.dial.customLinkBtn2_->title(), "portal.example");
    EXPECT_FALSE(app.dial.customLinkBtn2_->isHidden());
    appkit_test::click(app.dial.customLinkBtn2_);
    EXPECT_EQ(browser.urls, QList<QUrl>{QUrl("https://portal.example/music")});
    // Without an address the button does not show.
    EXPECT_TRUE(app.dial.customLinkBtn3_->isHidden());
}

TEST(SplitInternetTab, ARenewedBannerShowsInTheBannerWithTheBroadbandPage)
{
    LocalHttpServer server;
    server.answerNext("/MainimageTitle_Cropped.jpg",
                      {200, {{"Last-Modified", "Tue, 02 Jun 2026 10:00:00 GMT"}}, QByteArray()});
    server.answer("/MainimageTitle_Cropped.jpg", {200, {}, pngOfWidth(64)});
    SplitApp app(splitSettings({}, {{"OperatorBroadbandPageURL", "https://operator.example/broadband"}}));
    const QString banner = app.dataFile("dovure/images/MainimageTitle_Cropped.jpg");
    ASSERT_TRUE(writeFile(banner, pngOfWidth(16)));
    ASSERT_TRUE(ns::PropertyList::writeFile(
        app.dataFile("IconLinks.plist"),
        ns::Array{ns::Dictionary{{kImageURLKey, server.url("/MainimageTitle_Cropped.jpg").toString()},
                                 {kImageStorePathKey, banner},
                                 {kImageModifiedDateKey, "Mon, 01 Jun 2026 10:00:00 GMT"}}}));
    WeblinkUpdateUtilities::sharedUpdateManager().loadcfg();
    EXPECT_TRUE(app.dial.bgupWeblinkView_->image().isNull());

    EXPECT_EQ(WeblinkUpdateUtilities::sharedUpdateManager().startUpdateWebLinks(), 0);
    ASSERT_TRUE(serverSees(server, 2));
    waitForDownloads();
    EXPECT_EQ(app.dial.bgupWeblinkView_->image().size().width, 64);
    EXPECT_EQ(app.dial.bgupWeblinkView_->webLink(), QUrl("https://operator.example/broadband"));
}

TEST(SplitInternetTab, TheHintStandsBesideOrInsideTheMainWindow)
{
    // The main window's frame is 100, 200, 700 × 500; the hint is 400 × 58.
    const struct {
        const char* name;
        bool inMainWindow;
        ns::Point origin;
    } cases[] = {
        {"window of its own", false, {100 + 150 + 165, 200 + 221 - 65}},
        {"inside the main window", true, {150 + 173, 221 - 45}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SplitApp app(splitSettings(
            {{"ShouldShowFavouriteIconConfigHint", true},
             {"Main",
              ns::Dictionary{{"Main_addHintWindowIntoMainWnd_IfNeedMoveWithMainWnd", c.inMainWindow}}}}));
        app.status(1);
        ns::View* hint = app.dial.favoriteIconHintView_;
        ASSERT_NE(hint, nullptr);
        const auto shown = [&] { return c.inMainWindow ? !hint->isHidden() : app.hintShown(); };
        EXPECT_TRUE(shown());
        if (c.inMainWindow) {
            EXPECT_EQ(hint->superview(), app.mainWindow->contentView());
            EXPECT_EQ(hint->frame().origin, c.origin);
        } else {
            EXPECT_EQ(app.dial.favoriteIconHintWindow_->frame().origin, c.origin);
        }
        // Idle closes it; the next connection shows it again, in the same place.
        app.status(0);
        EXPECT_FALSE(shown());
        app.status(1);
        EXPECT_TRUE(shown());
        if (c.inMainWindow) {
            EXPECT_EQ(hint->frame().origin, c.origin);
        }
    }
}

TEST(SplitInternetTab, LeavingTheInternetPageClosesTheHintAndComingBackShowsIt)
{
    SplitApp app(splitSettings({{"ShouldShowFavouriteIconConfigHint", true}}));
    app.tabs.addTabViewItem(std::make_unique<ns::TabViewItem>(QStringLiteral("SMS")));
    app.status(1);
    ASSERT_TRUE(app.hintShown());
    app.tabs.selectTabViewItemWithIdentifier("SMS");
    EXPECT_FALSE(app.hintShown());
    app.tabs.selectTabViewItemWithIdentifier("Internet");
    EXPECT_TRUE(app.hintShown());
    // While idle the Internet page shows its pre-connection page: no hint.
    app.status(0);
    app.tabs.selectTabViewItemWithIdentifier("SMS");
    app.tabs.selectTabViewItemWithIdentifier("Internet");
    EXPECT_FALSE(app.hintShown());
}

TEST(SplitInternetTab, DoNotNotifyStopsTheHintInTheSettingsFile)
{
    SplitApp app(splitSettings({{"ShouldShowFavouriteIconConfigHint", true}}));
    app.status(1);
    ASSERT_TRUE(app.hintShown());
    ns::Button* box = app.dial.stopNotifyHintCheckbox_;
    appkit_test::click(box);
    EXPECT_FALSE(app.bundle.settingsOnDisk().value("ShouldShowFavouriteIconConfigHint").boolValue());
    app.status(0);
    app.status(1);
    EXPECT_FALSE(app.hintShown());
    // Unticked, the hint comes back.
    appkit_test::click(box);
    EXPECT_TRUE(app.bundle.settingsOnDisk().value("ShouldShowFavouriteIconConfigHint").boolValue());
}
