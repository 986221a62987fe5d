#include "connection/Dovure/InternetTabWebPolicy.h"

#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Workspace.h"

#include <QDir>

#include <utility>

namespace
{

const QString kImageURL = QStringLiteral("ImageURL");
const QString kImageStorePath = QStringLiteral("ImageStorePath");

QString htmlTwin(const QString& path)
{
    const QString swf = QStringLiteral(".swf");
    return path.endsWith(swf) ? path.chopped(swf.size()) + QStringLiteral(".htm") : QString();
}

bool isKnownFile(const QString& path, const InternetTabWebPolicy::Rules& rules)
{
    const QString file = QDir::cleanPath(path);
    for (const QString& folder : rules.imageFolders)
        if (!folder.isEmpty() && file.startsWith(QDir::cleanPath(folder) + QLatin1Char('/')))
            return true;
    for (const ns::Value& entry : rules.iconLinks) {
        const QString stored = entry.toDictionary().value(kImageStorePath).stringValue();
        if (stored.isEmpty())
            continue;
        if (file == QDir::cleanPath(stored) || (rules.htmlTwins && file == QDir::cleanPath(htmlTwin(stored))))
            return true;
    }
    return false;
}

} // namespace

bool isKnownWebAddress(const QUrl& url, const InternetTabWebPolicy::Rules& rules)
{
    if (url.isLocalFile())
        return isKnownFile(url.toLocalFile(), rules);
    const QString address = url.toString();
    for (const ns::Value& entry : rules.iconLinks) {
        const ns::Dictionary links = entry.toDictionary();
        if (!address.isEmpty() && (address == links.value(kImageURL).stringValue() ||
                                   address == links.value(kImageStorePath).stringValue()))
            return true;
    }
    return false;
}

InternetTabWebPolicy::InternetTabWebPolicy(std::function<Rules()> rules) : rules_(std::move(rules)) {}

bool InternetTabWebPolicy::decidePolicyForNavigation(ns::WebView*, const QUrl& url, int, bool)
{
    const Rules rules = rules_();
    const auto inBrowser = [&url] {
        ns::Workspace::sharedWorkspace().openURL(url);
        return false;
    };
    if (rules.splitProcess)
        return isKnownWebAddress(url, rules) || inBrowser();
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
