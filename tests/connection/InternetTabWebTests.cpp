// The Internet tab's web views over the real engine, offscreen: the web-view
// utility puts views in and takes them out, loads files and addresses, and
// sends new windows to the browser; the tab's rules decide where each page
// goes, and a page's confirm() asks the user; the connection controller
// embeds pages, shows animations by their pages and the special page, and
// the split tab's banner and promotion web views.
#include "app/ui/skin/JOVUIManager.h"
#include "connection/Dovure/InternetTabWebPolicy.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WebViewUtilities.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "platform/ns/PropertyList.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/WebViewTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

using Rules = InternetTabWebPolicy::Rules;

using appkit_test::evaluate;

// A folder of small pages, each titled with its name.
class Pages
{
public:
    QString page(const QString& name)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            QStringLiteral("<html><head><title>%1</title></head><body></body></html>").arg(name).toUtf8());
        return path;
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

class InternetTabWebTest : public testing::Test
{
protected:
    InternetTabWebTest() : window(appkit_test::shownWindow(ns::Rect(100, 100, 400, 300))) {}

    // A web view showing the start page, reporting to the delegate from then on.
    ns::WebView* attachShowingStart(WebViewDelegate* delegate = nullptr)
    {
        ns::WebView* view = WebViewUtilities::sharedManager().attachWebviewWithFrameRect(
            ns::Rect(0, 0, 400, 300), window->contentView());
        EXPECT_TRUE(WebViewUtilities::sharedManager().LoadURL(pages.page("start.html"), view));
        EXPECT_TRUE(QTest::qWaitFor([&] { return view->mainFrameTitle() == "start.html"; }, 30000));
        if (delegate) {
            view->setPolicyDelegate(delegate);
            view->setUIDelegate(delegate);
            view->setFrameLoadDelegate(delegate);
        }
        return view;
    }

    std::unique_ptr<ns::Window> window;
    Pages pages;
    device_test::OpenedLinks browser;
};

} // namespace

TEST_F(InternetTabWebTest, TheUtilityAttachesLoadsAndDetachesWebViews)
{
    WebViewUtilities& utilities = WebViewUtilities::sharedManager();
    EXPECT_EQ(utilities.attachWebviewWithFrameRect(ns::Rect(0, 0, 0, 40), window->contentView()), nullptr);
    EXPECT_EQ(utilities.attachWebviewWithFrameRect(ns::Rect(0, 0, 40, 40), nullptr), nullptr);

    ns::WebView* view = attachShowingStart();
    EXPECT_EQ(view->superview(), window->contentView());
    EXPECT_EQ(view->policyDelegate(), &utilities);
    EXPECT_EQ(view->uiDelegate(), &utilities);
    EXPECT_EQ(view->frameLoadDelegate(), &utilities);
    EXPECT_FALSE(utilities.LoadURL(QString(), view));
    EXPECT_FALSE(utilities.LoadURL(pages.path("start.html"), nullptr));

    // Every page loads in place; a new window opens in the browser instead.
    evaluate(*view, QStringLiteral("location.href = '%1'; 0")
                        .arg(QUrl::fromLocalFile(pages.page("next.html")).toString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->mainFrameTitle() == "next.html"; }, 20000));
    evaluate(*view, "window.open('https://example.invalid/news'); 0");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !browser.urls.isEmpty(); }, 20000));
    EXPECT_EQ(browser.urls, QList<QUrl>{QUrl("https://example.invalid/news")});

    QPointer<ns::View> watched(view);
    utilities.detachSubWebview(view);
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(window->contentView()->subviews().isEmpty());
}

TEST_F(InternetTabWebTest, TheTabsRulesDecideInTurnWhereAPageGoes)
{
    const QString known = pages.page("images/banner.html");
    const QString unknown = pages.page("elsewhere/private.html");
    const QString mainPage = pages.page("main.html");
    // The link list knows one stored copy.
    const QString list = pages.path("IconLinks.plist");
    ASSERT_TRUE(ns::PropertyList::writeFile(
        list, ns::Array{ns::Dictionary{{"ImageURL", "http://operator.example/banner.html"},
                                       {"ImageStorePath", known}}}));
    WeblinkUpdateUtilities::sharedUpdateManager().setcfgFile(list);
    Rules split;
    split.splitProcess = true;
    Rules smart;
    smart.smartUI = true;
    Rules indonesia;
    indonesia.indonesiaZEZ = true;
    indonesia.mainPage = QUrl::fromLocalFile(mainPage).toString();
    Rules splitAndSmart = split;
    splitAndSmart.smartUI = true;
    Rules smartAndIndonesia = indonesia;
    smartAndIndonesia.smartUI = true;

    const struct {
        const char* name;
        Rules rules;
        QString target;
        bool inPlace;
    } cases[] = {
        {"split, known", split, known, true},
        {"split, a file the list does not know", split, unknown, false},
        {"split comes before the smart skin", splitAndSmart, unknown, false},
        {"smart skin", smart, unknown, true},
        {"IndonesiaZEZ, main page", indonesia, mainPage, true},
        {"IndonesiaZEZ, other page", indonesia, unknown, false},
        {"the smart skin comes before IndonesiaZEZ", smartAndIndonesia, unknown, true},
        {"no rule", Rules(), unknown, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InternetTabWebPolicy policy([&c] { return c.rules; });
        ns::WebView* view = attachShowingStart(&policy);
        browser.urls.clear();
        const QUrl target = QUrl::fromLocalFile(c.target);
        evaluate(*view, QStringLiteral("location.href = '%1'; 0").arg(target.toString()));
        const QString title = QFileInfo(c.target).fileName();
        if (c.inPlace) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return view->mainFrameTitle().endsWith(title); }, 20000));
            EXPECT_TRUE(browser.urls.isEmpty());
        } else {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !browser.urls.isEmpty(); }, 20000));
            EXPECT_EQ(browser.urls, QList<QUrl>{target});
            EXPECT_EQ(evaluate(*view, "document.title").toString(), "start.html");
        }
        WebViewUtilities::sharedManager().detachSubWebview(view);
    }
    WeblinkUpdateUtilities::sharedUpdateManager().setcfgFile(QString());
}

TEST_F(InternetTabWebTest, APagesNewWindowOpensInTheBrowserAndItsConfirmAsksTheUser)
{
    InternetTabWebPolicy policy([] {
        Rules rules;
        rules.smartUI = true;
        return rules;
    });
    ns::WebView* view = attachShowingStart(&policy);
    evaluate(*view, "window.open('https://example.invalid/offers'); 0");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !browser.urls.isEmpty(); }, 20000));
    EXPECT_EQ(browser.urls, QList<QUrl>{QUrl("https://example.invalid/offers")});

    for (const QString& button : {QStringLiteral("OK"), QStringLiteral("Cancel")}) {
        device_test::AlertAnswerer answerer(button);
        EXPECT_EQ(evaluate(*view, "confirm('Leave the page?')").toBool(), button == "OK");
        ASSERT_EQ(answerer.alerts.size(), 1);
        EXPECT_TRUE(answerer.showed("JavaScript"));
        EXPECT_TRUE(answerer.showed("Leave the page?"));
    }
    WebViewUtilities::sharedManager().detachSubWebview(view);
}

TEST_F(InternetTabWebTest, TheControllerEmbedsPagesWhereTheSettingsPlaceThem)
{
    const QString page = pages.page("embedded.html");
    dial_test::DialApp app(dial_test::withSettings({
        {"WebViewURL", page},
        {"WebViewRectInSuperView", ns::Dictionary{{"InSuperViewLeft", 5},
                                                  {"InSuperViewBottom", 7},
                                                  {"DecreasedHeight", 20},
                                                  {"DecreasedWidth", 0}}},
    }));
    auto* container = new ns::View(ns::Rect(10, 20, 300, 200));
    window->contentView()->addSubview(container);

    // "DecreasedHeight" takes from the width.
    ns::WebView* embedded = app.dial.displayWebUrl(page, container, false, app.dial.getRectInSuperView());
    ASSERT_NE(embedded, nullptr);
    EXPECT_EQ(embedded->superview(), container);
    EXPECT_EQ(embedded->frame(), ns::Rect(15, 27, 280, 200));
    EXPECT_FALSE(embedded->allowsScrolling());
    EXPECT_TRUE(QTest::qWaitFor([&] { return embedded->mainFrameTitle() == "embedded.html"; }, 30000));
    EXPECT_EQ(app.dial.displayWebUrl(page, nullptr, true, ns::Rect()), nullptr);

    // While connected the special page fills its container less a margin.
    app.dial.viewContainer_ = container;
    app.dial.displaySpecialWebView();
    ns::WebView* special = app.dial.specialWebView_;
    ASSERT_NE(special, nullptr);
    EXPECT_EQ(special->superview(), container);
    EXPECT_EQ(special->frame(), ns::Rect(20, 30, 280, 180));
    EXPECT_TRUE(QTest::qWaitFor([&] { return special->mainFrameTitle() == "embedded.html"; }, 30000));
    app.dial.detachSpecialWebview();
    EXPECT_EQ(app.dial.specialWebView_, nullptr);
    EXPECT_EQ(container->subviews(), QList<ns::View*>{embedded});
}

TEST_F(InternetTabWebTest, AnAnimationIsShownByItsPageWhenTheViewCannotPlayIt)
{
    const QString animation = pages.page("promo.swf");
    pages.page("promo.htm");
    EXPECT_EQ(DialController::getHtmlFilePathByFlash("/a/b/promo.swf"), "/a/b/promo.htm");
    EXPECT_EQ(DialController::getHtmlFilePathByFlash("/a/b/banner.jpg"), QString());
    const struct {
        bool byPage;
        QString file;
        QUrl shown;
        bool scrolling;
    } cases[] = {
        {true, animation, QUrl::fromLocalFile(pages.path("promo.htm")), false},
        {false, animation, QUrl::fromLocalFile(animation), true},
        // No file: the text is an address.
        {true, "http://127.0.0.1:9/promo.swf", QUrl("http://127.0.0.1:9/promo.swf"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.file));
        dial_test::DialApp app(dial_test::withSettings({{"GetHtmlFilePathByFlashFile", c.byPage}}));
        ns::WebView* view = attachShowingStart();
        app.dial.LoadFlash(c.file, view);
        EXPECT_TRUE(QTest::qWaitFor([&] { return view->mainFrameURL() == c.shown; }, 30000));
        EXPECT_EQ(view->allowsScrolling(), c.scrolling);
        WebViewUtilities::sharedManager().detachSubWebview(view);
    }
}

TEST_F(InternetTabWebTest, EachFavouriteViewShowsItsIconAnimationElseTheBackground)
{
    for (const bool background : {true, false}) {
        SCOPED_TRACE(background ? "with a background" : "without");
        // The view cannot play an animation: its ".htm" page shows it.
        dial_test::DialApp app(dial_test::withSettings({{"GetHtmlFilePathByFlashFile", true}}));
        const QString images = app.bundle.dataFolder() + "/dovure/images/";
        QDir().mkpath(images);
        QStringList files{"icon1.swf", "icon2.swf", "icon4.swf", "icon6.swf"};
        if (background)
            files << "background.swf";
        for (const QString& name : files) {
            QFile animation(images + name);
            ASSERT_TRUE(animation.open(QIODevice::WriteOnly));
            QFile page(images + QFileInfo(name).completeBaseName() + ".htm");
            ASSERT_TRUE(page.open(QIODevice::WriteOnly));
            page.write("<html><body>" + name.toUtf8() + "</body></html>");
        }
        // The skin has views 1 to 4 only; icon3.swf is missing.
        JOVUIManager skin(app.store);
        ns::Dictionary info;
        QList<ns::WebView*> views;
        for (int number = 1; number <= 4; ++number) {
            info.setValue(QStringLiteral("webViewOfFavouiteBtnForIcon%1").arg(number), ns::Dictionary());
            views << new ns::WebView(ns::Rect(50 * number, 0, 40, 40));
            window->contentView()->addSubview(views.last());
        }
        skin.setSkinInfo(info);
        for (int number = 1; number <= 4; ++number)
            skin.registerController(views[number - 1],
                                    QStringLiteral("webViewOfFavouiteBtnForIcon%1").arg(number), false);
        app.dial.jovSkinManager = &skin;

        ns::NotificationCenter::defaultCenter().postNotificationName(kLoadFavouriteBtnWebKitViewsNotification,
                                                                     nullptr);
        const QList<QUrl> expected{QUrl::fromLocalFile(images + "icon1.htm"),
                                   QUrl::fromLocalFile(images + "icon2.htm"),
                                   background ? QUrl::fromLocalFile(images + "background.htm") : QUrl(),
                                   QUrl::fromLocalFile(images + "icon4.htm")};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_TRUE(QTest::qWaitFor([&] { return views[i]->mainFrameURL() == expected[i]; }, 30000));
        }
        app.dial.jovSkinManager = nullptr;
        for (ns::WebView* view : views)
            view->removeFromSuperview();
        qDeleteAll(views);
    }
}

TEST_F(InternetTabWebTest, TheSplitTabShowsEachAnimationOfTheLinkListInItsWebView)
{
    dial_test::DialApp app(dial_test::withSettings({
        {"EnableSplitConnectionProcess", true},
        {"DovureSplit", true},
        {"GetHtmlFilePathByFlashFile", true},
        {"PromoWebViewRect", ns::Dictionary{{"X", 4}, {"Y", 6}, {"W", 200}, {"H", 50}}},
        {"HomePageWebViewRect", ns::Dictionary{{"X", 10}, {"Y", 8}, {"W", 300}, {"H", 60}}},
    }));
    const QString images = app.bundle.dataFolder() + "/dovure/images/";
    ns::Array links;
    for (const QString& name : {QStringLiteral("smallbanner"), QStringLiteral("promo")}) {
        for (const QString& extension : {QStringLiteral(".swf"), QStringLiteral(".htm")}) {
            QDir().mkpath(images);
            QFile file(images + name + extension);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("<html><head><title>" + (name + extension).toUtf8() + "</title></head></html>");
        }
        links.append(ns::Dictionary{{"ImageURL", "http://127.0.0.1:9/" + name + ".swf"},
                                    {"ImageStorePath", images + name + ".swf"}});
    }
    ASSERT_TRUE(ns::PropertyList::writeFile(app.bundle.dataFolder() + "/IconLinks.plist", links));

    // The list written now is read again, and the idle page shows its animations.
    WeblinkUpdateUtilities::sharedUpdateManager().loadcfg();
    app.dial.initSplitConnectionProcessForDovure();
    ns::WebView* homePage = app.dial.homepageView_;
    ns::WebView* promo = app.dial.promoWebkitView_;
    ASSERT_TRUE(homePage && promo);
    EXPECT_EQ(homePage->superview(), app.dial.bgupWeblinkView_);
    EXPECT_EQ(homePage->frame(), ns::Rect(10, 8, 300, 60));
    EXPECT_EQ(promo->superview(), app.dial.bgContainerView_);
    EXPECT_EQ(promo->frame(), ns::Rect(4, 6, 200, 50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return homePage->mainFrameTitle() == "smallbanner.htm"; }, 30000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return promo->mainFrameTitle() == "promo.htm"; }, 30000));
    // The tab's page rules decide where their pages go.
    EXPECT_EQ(promo->policyDelegate(), app.dial.internetTabWebPolicy());

    // Attached once; detached both go.
    app.dial.attachWebviewWithDelegates(app.dial.internetTabWebPolicy());
    EXPECT_EQ(app.dial.homepageView_, homePage);
    app.dial.detachWebviews();
    EXPECT_EQ(app.dial.homepageView_, nullptr);
    EXPECT_TRUE(app.dial.bgContainerView_->subviews().isEmpty());
}
