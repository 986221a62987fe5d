#include "connection/Dovure/InternetTabWebPolicy.h"

#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Workspace.h"

#include <utility>

InternetTabWebPolicy::InternetTabWebPolicy(std::function<Rules()> rules) : rules_(std::move(rules)) {}

bool InternetTabWebPolicy::decidePolicyForNavigation(ns::WebView*, const QUrl& url, int, bool)
{
    const Rules rules = rules_();
    const auto inBrowser = [&url] {
        ns::Workspace::sharedWorkspace().openURL(url);
        return false;
    };
    if (rules.splitProcess)
        return WeblinkUpdateUtilities::sharedUpdateManager().isKnownURLInIconLinks(url.toString()) ||
               inBrowser();
    if (rules.smartUI)
        return true;
    if (rules.indonesiaZEZ)
        return url == QUrl(rules.mainPage) || inBrowser();
    return true;
}

void InternetTabWebPolicy::createWebViewWithRequest(ns::WebView*, const QUrl& url)
{
    ns::Workspace::sharedWorkspace().openURL(url);
}

bool InternetTabWebPolicy::runJavaScriptConfirmPanel(ns::WebView*, const QString& message)
{
    return ns::runAlertPanel(QStringLiteral("JavaScript"), message, QStringLiteral("OK"),
                             QStringLiteral("Cancel")) == ns::AlertDefaultReturn;
}
