#pragma once

#include "connection/Dovure/WebViewUtilities.h"
#include "platform/ns/Value.h"

#include <QStringList>
#include <QUrl>

#include <functional>

// Which pages the Internet tab's web views show in place. Three operator
// rules are asked in turn and the first that decides counts: with the split
// tab only addresses known to the link list, with the smart skin every page,
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
        // The link list: entries with "ImageURL" and "ImageStorePath".
        ns::Array iconLinks;
        // The stored copies of ".swf" images are shown by their ".htm" twins.
        bool htmlTwins = false; // top-level "GetHtmlFilePathByFlashFile"
        // Folders whose files the views may show.
        QStringList imageFolders;
    };

    explicit InternetTabWebPolicy(std::function<Rules()> rules);

    bool decidePolicyForNavigation(ns::WebView* webView, const QUrl& url, int navigationType,
                                   bool isMainFrame) override;
    void createWebViewWithRequest(ns::WebView* webView, const QUrl& url) override;
    bool runJavaScriptConfirmPanel(ns::WebView* webView, const QString& message) override;

private:
    std::function<Rules()> rules_;
};

// Whether the address is one the link list knows: an image's address or its
// stored copy. Of local files only the stored copies (with their ".htm"
// twins when those are what is shown) and files inside the image folders are
// known, so a remote page cannot open other files of the computer.
bool isKnownWebAddress(const QUrl& url, const InternetTabWebPolicy::Rules& rules);
