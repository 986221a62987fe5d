// The web view over the real engine, offscreen: a local page loads, gives
// its title and answers scripts, and the policy delegate decides where a
// clicked link goes; the user-interface delegate hears a page's requests for
// new windows and answers its confirmations.
#include "platform/ns/appkit/WebView.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/WebViewTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace
{

const QString kPage = QStringLiteral(TRELVAN_FIXTURES_DIR "/ns_webview/page.html");

class RecordingDelegates : public ns::WebPolicyDelegate,
                           public ns::WebFrameLoadDelegate,
                           public ns::WebUIDelegate
{
public:
    bool decidePolicyForNavigation(ns::WebView*, const QUrl& url, int type, bool) override
    {
        navigations.append({url, type});
        return url.isLocalFile();
    }
    void didFinishLoad(ns::WebView*, bool ok) override { finished.append(ok); }
    void didReceiveTitle(ns::WebView*, const QString& title) override { titles.append(title); }
    void createWebViewWithRequest(ns::WebView*, const QUrl& url) override { windowRequests.append(url); }
    bool runJavaScriptConfirmPanel(ns::WebView*, const QString& message) override
    {
        confirmations.append(message);
        return confirmAnswer;
    }

    QList<QPair<QUrl, int>> navigations;
    QList<bool> finished;
    QStringList titles;
    QList<QUrl> windowRequests;
    QStringList confirmations;
    bool confirmAnswer = false;
};

using appkit_test::evaluate;

class WebViewTest : public testing::Test
{
protected:
    WebViewTest() : window(appkit_test::shownWindow(ns::Rect(100, 100, 400, 300)))
    {
        view = new ns::WebView(ns::Rect(0, 0, 400, 300));
        window->contentView()->addSubview(view);
        view->setPolicyDelegate(&delegates);
        view->setFrameLoadDelegate(&delegates);
        view->setUIDelegate(&delegates);
    }

    void loadPage()
    {
        view->setMainFrameURL(kPage);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !delegates.finished.isEmpty(); }, 30000));
    }

    std::unique_ptr<ns::Window> window;
    ns::WebView* view;
    RecordingDelegates delegates;
};

} // namespace

TEST_F(WebViewTest, LoadsALocalFileAndAnswersScripts)
{
    view->setMainFrameURL(kPage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegates.finished.isEmpty(); }, 30000));
    EXPECT_TRUE(delegates.finished.first());
    EXPECT_TRUE(view->isAvailable());
    EXPECT_EQ(view->mainFrameURL(), QUrl::fromLocalFile(kPage));
    EXPECT_EQ(view->mainFrameTitle(), "Local page");
    EXPECT_TRUE(delegates.titles.contains("Local page"));
    EXPECT_EQ(evaluate(*view, "document.getElementById('heading').textContent").toString(), "Welcome");
    EXPECT_EQ(evaluate(*view, "6 * 7").toInt(), 42);
    // A failing script answers nothing rather than stopping the page.
    EXPECT_FALSE(evaluate(*view, "undefinedFunction()").isValid());
}

TEST_F(WebViewTest, ThePolicyDelegateDecidesWhetherAClickedLinkLoads)
{
    view->setMainFrameURL(kPage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegates.finished.isEmpty(); }, 30000));
    evaluate(*view, "document.getElementById('link').click()");
    ASSERT_TRUE(QTest::qWaitFor([&] { return delegates.navigations.size() >= 2; }, 20000));
    EXPECT_EQ(delegates.navigations.last().first, QUrl("https://example.invalid/offers"));
    EXPECT_EQ(delegates.navigations.last().second, ns::WebNavigationTypeLinkClicked);
    // Refused: the page stays, and nothing is reported as loading or failing.
    EXPECT_EQ(evaluate(*view, "document.title").toString(), "Local page");
    EXPECT_EQ(view->mainFrameURL(), QUrl::fromLocalFile(kPage));
    EXPECT_FALSE(view->isLoading());
    EXPECT_EQ(delegates.finished, QList<bool>{true});
}

TEST_F(WebViewTest, APagesNewWindowsAndConfirmationsGoToTheUserInterfaceDelegate)
{
    loadPage();
    evaluate(*view, "window.open('https://example.invalid/news'); 0");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegates.windowRequests.isEmpty(); }, 20000));
    EXPECT_EQ(delegates.windowRequests, QList<QUrl>{QUrl("https://example.invalid/news")});
    EXPECT_EQ(view->mainFrameURL(), QUrl::fromLocalFile(kPage));

    for (const bool answer : {true, false}) {
        delegates.confirmAnswer = answer;
        EXPECT_EQ(evaluate(*view, "confirm('Leave the page?')").toBool(), answer);
    }
    EXPECT_EQ(delegates.confirmations, QStringList({"Leave the page?", "Leave the page?"}));

    // Without a delegate a page's confirmation is refused.
    view->setUIDelegate(nullptr);
    EXPECT_FALSE(evaluate(*view, "confirm('Leave the page?')").toBool());
    EXPECT_EQ(delegates.confirmations.size(), 2);
}

TEST_F(WebViewTest, WithoutScrollingALongPageShowsNoScrollBar)
{
    const QString longPage = "document.body.style.height = '3000px'; "
                             "window.innerWidth - document.documentElement.clientWidth";
    loadPage();
    EXPECT_TRUE(view->allowsScrolling());
    EXPECT_GT(evaluate(*view, longPage).toInt(), 0);

    view->setAllowsScrolling(false);
    EXPECT_FALSE(view->allowsScrolling());
    delegates.finished.clear();
    loadPage();
    EXPECT_EQ(evaluate(*view, longPage).toInt(), 0);
}
