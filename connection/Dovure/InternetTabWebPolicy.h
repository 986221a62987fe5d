#pragma once

#include "connection/Dovure/WebViewUtilities.h"
#include <QString>
#include <QUrl>

#include <functional>

// Which pages the Internet tab's web views show in place. Three operator
// rules are asked in turn and the first that decides counts: with the split
// tab only addresses known to the link list (its images and the local files
// it knows, never other files of the computer), with the smart skin every page,
// in the "IndonesiaZEZ" build only its main page. A refused page, and every
// page a page wants in a new window, opens in the web browser; a page's
// confirm() asks the user.
class InternetTabWebPolicy : public WebViewDelegate
{
public:
    // What the rules are read from, at each navigation.
    struct Rules {
        bool splitProcess = false; // top-level "EnableSplitConnectionProcess"
        bool smartUI = false;      // UI setting "SmartUI"
        bool indonesiaZEZ = false; // UI setting "IndonesiaZEZ"
        QString mainPage;          // the one page of the "IndonesiaZEZ" build
    };

    explicit InternetTabWebPolicy(std::function<Rules()> rules);

    bool decidePolicyForNavigation(ns::WebView* webView, const QUrl& url, int navigationType,
                                   bool isMainFrame) override;
    void createWebViewWithRequest(ns::WebView* webView, const QUrl& url) override;
    bool runJavaScriptConfirmPanel(ns::WebView* webView, const QString& message) override;

private:
    std::function<Rules()> rules_;
};
