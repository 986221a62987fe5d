// The operator's advertisement on the Internet view and the entertainment
// tab: the advertisement's image, link and refresh after connecting; the
// tab's list of operator pages, its folders, the TV link that works only
// while connected, and the page in the main window only where the toolbar
// offers it.
#include "connection/Dovure/DownloadUtilities.h"
#include "connection/Dovure/IconLinkList.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "connection/EntertainController.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/TabView.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/AlertAnswering.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using device_test::OpenedLinks;
using device_test::PostedNames;

namespace
{

const QString kAdLink = QStringLiteral("https://ads.operator.test/offer");
const QString kTVPage = QStringLiteral("https://tv.operator.test/");
const QString kGamesPage = QStringLiteral("https://games.operator.test/");
const QString kMusicPage = QStringLiteral("https://music.operator.test/");

WeblinkUpdateUtilities& updates()
{
    return WeblinkUpdateUtilities::sharedUpdateManager();
}

// A picture of that width, so the one shown tells which it is.
void writePicture(const QString& path, int width)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QImage picture(width, 10, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path, "PNG"));
}

double shownWidth(const ns::ImageView* view)
{
    return view->image().size().width;
}

ns::Dictionary advertisementSettings(bool shown)
{
    return dial_test::withSettings(
        {{"AddDiraAdView", shown},
         {"DiraAdInfo", ns::Dictionary{{"AdURL", kAdLink}, {"FileName", "offer.png"}}}});
}

// Lets the network answer until no query or download is left.
void drainDownloads()
{
    const QDeadlineTimer guard(dial_test::kGuardMs);
    while (DownloadUtilities::sharedDownloadManager().pendingRequests() > 0 && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A link list of one image on the local server, in force while it lives.
struct ServedLinkList {
    ServedLinkList()
    {
        server.answer(QStringLiteral("/offer.png"), LocalHttpServer::Response());
        const QString list = dir.filePath(QStringLiteral("WebLinkInfo.plist"));
        ns::PropertyList::writeFile(
            list,
            ns::Array{ns::Dictionary{{kImageURLKey, server.url(QStringLiteral("/offer.png")).toString()},
                                     {kImageStorePathKey, dir.filePath(QStringLiteral("offer.png"))}}});
        updates().setcfgFile(list);
    }
    ~ServedLinkList() { updates().setcfgFile(QString()); }

    LocalHttpServer server;
    QTemporaryDir dir;
};

} // namespace

TEST(AdvertisementImage, ShowsTheSourcesImageWithItsLinkAndRefreshesFiveSecondsAfterConnecting)
{
    dial_test::DialApp app(advertisementSettings(true));
    const QString sources = app.bundle.dataFolder() + QStringLiteral("/Sources");
    writePicture(sources + QStringLiteral("/offer.png"), 40);
    WebLinkImageView* ad = app.dial.adContainerView_;
    ASSERT_NE(ad, nullptr);

    app.dial.initAdContainerView();
    EXPECT_EQ(shownWidth(ad), 40);
    EXPECT_EQ(ad->webLink(), QUrl(kAdLink));
    EXPECT_EQ(DownloadUtilities::sharedDownloadManager().downloadFolder(), sources);
    EXPECT_EQ(updates().cfgFile(), app.bundle.dataFolder() + QStringLiteral("/WebLinkInfo.plist"));

    // A downloaded image of its role is shown; one that cannot be read
    // leaves the one shown.
    const ns::Dictionary downloaded{{kImageStorePathKey, sources + QStringLiteral("/offer.png")}};
    writePicture(sources + QStringLiteral("/offer.png"), 60);
    app.dial.loadIconImageAccordingProperty(downloaded);
    EXPECT_EQ(shownWidth(ad), 60);
    QFile broken(sources + QStringLiteral("/offer.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("half an image");
    broken.close();
    app.dial.loadIconImageAccordingProperty(downloaded);
    EXPECT_EQ(shownWidth(ad), 60);

    ServedLinkList links;
    PostedNames posted({kSetWebLinkImageViewEnabledNotification});
    app.dial.performActionWhenFirstConnected();
    EXPECT_EQ(posted.names, QStringList{kSetWebLinkImageViewEnabledNotification});
    app.clock.advance(4.9);
    EXPECT_EQ(DownloadUtilities::sharedDownloadManager().pendingRequests(), 0);
    app.clock.advance(0.1);
    EXPECT_GT(DownloadUtilities::sharedDownloadManager().pendingRequests(), 0);
    drainDownloads();
    ASSERT_FALSE(links.server.requests().isEmpty());
    EXPECT_EQ(links.server.requests().first().path, "/offer.png");
}

TEST(AdvertisementImage, WithoutItsSettingThereIsNoAdvertisementAndNoRefresh)
{
    dial_test::DialApp app(advertisementSettings(false));
    EXPECT_EQ(app.dial.adContainerView_, nullptr);
    ServedLinkList links;
    const QString listInForce = updates().cfgFile();
    app.dial.initAdContainerView();
    EXPECT_EQ(updates().cfgFile(), listInForce);

    // The link images are enabled all the same.
    PostedNames posted({kSetWebLinkImageViewEnabledNotification});
    app.dial.performActionWhenFirstConnected();
    EXPECT_EQ(posted.names, QStringList{kSetWebLinkImageViewEnabledNotification});
    app.clock.advance(10.0);
    EXPECT_EQ(DownloadUtilities::sharedDownloadManager().pendingRequests(), 0);
    EXPECT_TRUE(links.server.requests().isEmpty());
}

namespace
{

// The entertainment tab in a shown window over settings of its own; the link
// list in force holds the TV link's image (20 pixels wide).
struct EntertainApp {
    explicit EntertainApp(const ns::Value& entries = ns::Array{"ZuderaRedidez", "Games", "Music", "Radio"})
        : bundle(device_test::plainSettings(
              {{"EntertainTabelConfig", entries},
               {"Internet", ns::Dictionary{{"OperatorTVPageURL", kTVPage},
                                           {"OperatorGamesPageURL", kGamesPage},
                                           {"OperatorMusicPageURL", kMusicPage}}}}))
    {
        tvImage = links.filePath(QStringLiteral("ZuderaDongle.gif"));
        writePicture(tvImage, 20);
        const QString list = links.filePath(QStringLiteral("IconLinks.plist"));
        ns::PropertyList::writeFile(
            list,
            ns::Array{ns::Dictionary{{kImageURLKey, "https://operator.test/banner.jpg"},
                                     {kImageStorePathKey, links.filePath("MainimageTitle_Cropped.jpg")}},
                      ns::Dictionary{{kImageURLKey, "https://operator.test/ZuderaDongle.gif"},
                                     {kImageStorePathKey, tvImage}}});
        updates().setcfgFile(list);
        tabs = new ns::TabView(ns::Rect(0, 0, 720, 418));
        tabs->addTabViewItem(std::make_unique<ns::TabViewItem>(QStringLiteral("Internet")));
        tabs->addTabViewItem(std::make_unique<ns::TabViewItem>(QStringLiteral("Entertainment")));
        tabs->selectTabViewItemWithIdentifier(QStringLiteral("Entertainment"));
        window->contentView()->addSubview(tabs);
        controller.tabviewMain = tabs;
        controller.wndMain = window.get();
        controller.awakeFromNib();
    }
    ~EntertainApp() { updates().setcfgFile(QString()); }

    ns::TableView* table() const { return controller.entertainTable_; }
    QString name(int row)
    {
        return controller.objectValueForTableColumn(table(), table()->tableColumnWithIdentifier("Name"), row)
            .toString();
    }
    // The rows whose folder shows open.
    QList<int> openFolders()
    {
        const QImage open = ns::Image::imageNamed(QStringLiteral("OpenFolder.png")).qImage();
        QList<int> rows;
        for (int row = 0; row < controller.numberOfRowsInTableView(table()); ++row)
            if (controller.objectValueForTableColumn(table(), table()->tableColumnWithIdentifier("Icon"), row)
                    .value<ns::Image>()
                    .qImage() == open)
                rows << row;
        return rows;
    }
    void clickRow(int row)
    {
        const ns::Rect frame = table()->rectOfRow(row);
        appkit_test::click(table(), {frame.midX(), frame.midY()});
    }

    QTemporaryDir links;
    QString tvImage;
    device_test::DeviceBundle bundle;
    ConfigManager store;
    std::unique_ptr<ns::Window> window = appkit_test::shownWindow(ns::Rect(100, 100, 720, 418));
    ns::TabView* tabs = nullptr;
    EntertainController controller{store};
    OpenedLinks browser;
};

} // namespace

TEST(EntertainmentTab, ListsTheEntriesAndOpensTheFolderOfTheSelectedOne)
{
    EntertainApp app;
    ASSERT_NE(app.table(), nullptr);
    ASSERT_FALSE(ns::Image::imageNamed(QStringLiteral("FolderSet.png")).isNull());
    ASSERT_FALSE(ns::Image::imageNamed(QStringLiteral("OpenFolder.png")).isNull());
    QStringList names;
    for (int row = 0; row < app.controller.numberOfRowsInTableView(app.table()); ++row)
        names << app.name(row);
    EXPECT_EQ(names, (QStringList{dial_test::translated("ZuderaRedidez"), "Games", "Music", "Radio"}));
    EXPECT_TRUE(app.openFolders().isEmpty());
    for (ns::TableColumn* column : app.table()->tableColumns())
        EXPECT_FALSE(app.controller.shouldEditTableColumn(app.table(), column, 1));

    // An entry without an action of its own only opens its folder.
    app.clickRow(3);
    EXPECT_EQ(app.openFolders(), QList<int>{3});
    // The first entry stays marked, lighter than the selection.
    const QImage drawn = app.table()->grab().toImage();
    const auto background = [&](int row) {
        const ns::Rect frame = app.table()->rectOfRow(row);
        return drawn.pixelColor(int(frame.maxX()) - 4, int(frame.midY()));
    };
    EXPECT_NE(background(0), background(1));
    EXPECT_NE(background(0), background(3));
    EXPECT_EQ(app.table()->selectedRow(), 3);
    EXPECT_TRUE(app.browser.urls.isEmpty());

    // Showing the tab gives the list the keyboard.
    app.window->makeFirstResponder(nullptr);
    app.controller.notifyChangeTabViewItem(QStringLiteral("Entertainment"));
    ASSERT_NE(app.window->focusWidget(), nullptr);
    EXPECT_TRUE(app.window->focusWidget() == app.table() ||
                app.table()->isAncestorOf(app.window->focusWidget()));
}

TEST(EntertainmentTab, GamesAndMusicOpenTheirPagesAndLetTheSelectionGo)
{
    const struct {
        int row;
        QString page;
    } cases[] = {{1, kGamesPage}, {2, kMusicPage}};
    for (const auto& entry : cases) {
        EntertainApp app;
        app.clickRow(entry.row);
        EXPECT_EQ(app.browser.urls, QList<QUrl>{QUrl(entry.page)}) << entry.row;
        EXPECT_EQ(app.table()->selectedRow(), -1) << entry.row;
        EXPECT_TRUE(app.openFolders().isEmpty()) << entry.row;
    }
}

TEST(EntertainmentTab, TheTVLinkWorksOnlyWhileAConnectionIsUp)
{
    EntertainApp app;
    WebLinkImageView* image = app.controller.webLinkImageView_;
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(shownWidth(image), 20);
    EXPECT_EQ(image->webLink(), QUrl(kTVPage));
    EXPECT_FALSE(image->isEnabled());

    // Before a connection the TV entry and the image say to connect first.
    for (const std::function<void()>& action : std::initializer_list<std::function<void()>>{
             [&] { app.clickRow(0); }, [&] { appkit_test::click(image); }}) {
        appkit_test::AlertAnswerer answerer;
        action();
        ASSERT_FALSE(answerer.alerts.isEmpty());
        EXPECT_EQ(answerer.alerts.last(),
                  (QStringList{"Prompt!", "Please try after connecting to internet"}));
        app.table()->deselectAll(nullptr);
    }
    EXPECT_TRUE(app.browser.urls.isEmpty());

    ns::NotificationCenter::defaultCenter().postNotificationName(kSetWebLinkImageViewEnabledNotification,
                                                                 nullptr);
    EXPECT_TRUE(image->isEnabled());
    app.clickRow(0);
    EXPECT_EQ(app.browser.urls, QList<QUrl>{QUrl(kTVPage)});
    EXPECT_EQ(app.openFolders(), QList<int>{0});

    // A refreshed image is shown; a disconnect disables the link again.
    writePicture(app.tvImage, 30);
    ns::NotificationCenter::defaultCenter().postNotificationName(kLoadImageFormURLOverNotification, nullptr);
    EXPECT_EQ(shownWidth(image), 30);
    ns::NotificationCenter::defaultCenter().postNotificationName(kSetWebLinkImageViewDisabledNotification,
                                                                 nullptr);
    EXPECT_FALSE(image->isEnabled());
    EXPECT_FALSE(app.controller.webLinkFlag());
}

TEST(EntertainmentTab, TheMainWindowHasThePageOnlyWhereTheToolbarOffersIt)
{
    for (const bool offered : {false, true}) {
        ns::Dictionary settings =
            device_test::shippedSettings({{"EntertainTabelConfig", ns::Array{"Games"}}});
        ns::Dictionary skin = settings.value(QStringLiteral("UIConfig")).toDictionary().deepCopy();
        ns::Array items = skin.value(QStringLiteral("ToolbarItems")).toArray().deepCopy();
        if (offered)
            items.append(ns::Dictionary{{"itemName", "btnEntertainment"},
                                        {"itemIdentifier", "Entertainment"},
                                        {"itemAction", "tabViewChangeItemAction:"},
                                        {"itemBtnTitle", "Entertainment"}});
        skin.setValue(QStringLiteral("ToolbarItems"), items);
        settings.setValue(QStringLiteral("UIConfig"), skin);
        device_test::DeviceApp app(settings);
        app.nib.awakeFromNib();
        ns::TabView* tabs = app.main().mainTabView();
        EXPECT_EQ(tabs->indexOfTabViewItemWithIdentifier("Entertainment") >= 0, offered) << offered;
        EXPECT_EQ(app.nib.entertainController().entertainTable_ != nullptr, offered) << offered;
    }
}
