#include "app/config/ConfigManager.h"
#include "connection/Dovure/DownloadUtilities.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "platform/ns/PropertyList.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using device_test::PostedNames;
using Response = LocalHttpServer::Response;

namespace
{

const QString kStoredDate = QStringLiteral("Mon, 01 Jun 2026 10:00:00 GMT");
const QString kNewerDate = QStringLiteral("Tue, 02 Jun 2026 10:00:00 GMT");
const QByteArray kOldImage = QByteArrayLiteral("old image");
const QByteArray kNewImage = QByteArrayLiteral("new image");

Response answer(int status, const QList<LocalHttpServer::Header>& headers = {}, const QByteArray& body = {})
{
    Response response;
    response.status = status;
    response.headers = headers;
    response.body = body;
    return response;
}

// The image downloads the server was asked for (the date queries name themselves).
int downloadsAsked(const LocalHttpServer& server)
{
    int downloads = 0;
    for (const LocalHttpServer::Request& request : server.requests())
        downloads += request.header("User-Agent") != "MySpecialUserAgent/1.0";
    return downloads;
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A link list of one image whose stored copy lies beside it, refreshed from
// the local server; the renewed entries and the posted notifications are kept.
struct Refresh {
    explicit Refresh(const QString& imageURL)
    {
        listPath = dir.filePath(QStringLiteral("IconLinks.plist"));
        imagePath = dir.filePath(QStringLiteral("MainimageTitle_Cropped.jpg"));
        QFile image(imagePath);
        if (image.open(QIODevice::WriteOnly))
            image.write(kOldImage);
        image.close();
        ns::PropertyList::writeFile(listPath,
                                    ns::Array{ns::Dictionary{{kImageURLKey, imageURL},
                                                             {kImageStorePathKey, imagePath},
                                                             {kImageModifiedDateKey, kStoredDate}}});
        updates().setcfgFile(listPath);
        updates().setImageRenewedAction([this](const ns::Dictionary& properties) { renewed << properties; });
    }
    ~Refresh()
    {
        updates().setImageRenewedAction({});
        updates().setcfgFile(QString());
    }
    static WeblinkUpdateUtilities& updates() { return WeblinkUpdateUtilities::sharedUpdateManager(); }

    // Starts the refresh and waits until every query and download has ended.
    int run()
    {
        const int result = updates().startUpdateWebLinks();
        const QDeadlineTimer guard(60000);
        while (DownloadUtilities::sharedDownloadManager().pendingRequests() > 0 && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return result;
    }
    ns::Dictionary entryOnDisk() const
    {
        return ns::PropertyList::readArray(listPath).value_or(ns::Array()).at(0).toDictionary();
    }

    QTemporaryDir dir;
    QString listPath;
    QString imagePath;
    QList<ns::Dictionary> renewed;
    PostedNames posted{{kLoadImageFormURLOverNotification, kLoadFavouriteBtnWebKitViewsNotification}};
};

} // namespace

TEST(IconRefresh, ANewerImageOnTheServerReplacesTheStoredCopy)
{
    LocalHttpServer server;
    server.answerNext(QStringLiteral("/MainimageTitle_Cropped.jpg"),
                      answer(200, {{"Last-Modified", kNewerDate.toLatin1()}}));
    server.answer(QStringLiteral("/MainimageTitle_Cropped.jpg"), answer(200, {}, kNewImage));
    const QString address = server.url(QStringLiteral("/MainimageTitle_Cropped.jpg")).toString();
    Refresh refresh(address);

    EXPECT_EQ(refresh.run(), 0);
    const QList<LocalHttpServer::Request> requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests.at(0).method, "GET");
    EXPECT_EQ(requests.at(0).header("User-Agent"), "MySpecialUserAgent/1.0");
    EXPECT_EQ(requests.at(1).method, "GET");
    EXPECT_EQ(contentsOf(refresh.imagePath), kNewImage);
    EXPECT_EQ(refresh.entryOnDisk().value(kImageModifiedDateKey).toString(), kNewerDate);
    ASSERT_EQ(refresh.renewed.size(), 1);
    EXPECT_EQ(refresh.renewed.at(0).value(kImageStorePathKey).toString(), refresh.imagePath);
    EXPECT_EQ(refresh.posted.names,
              (QStringList{kLoadImageFormURLOverNotification, kLoadFavouriteBtnWebKitViewsNotification}));
}

TEST(IconRefresh, NothingIsDownloadedUnlessTheServerHasALaterWholeImage)
{
    const QString path = QStringLiteral("/MainimageTitle_Cropped.jpg");
    const QByteArray newer = kNewerDate.toLatin1();
    struct Case {
        const char* name;
        QList<Response> answers; // in order, for the query and then the download
        bool downloadAsked;
    };
    const Case cases[] = {
        {"the same date", {answer(200, {{"Last-Modified", kStoredDate.toLatin1()}})}, false},
        {"an older date", {answer(200, {{"Last-Modified", "Sun, 31 May 2026 10:00:00 GMT"}})}, false},
        {"no date", {answer(200)}, false},
        {"a date that is no date", {answer(200, {{"Last-Modified", "soon"}})}, false},
        {"a failed answer with a date", {answer(404, {{"Last-Modified", newer}})}, false},
        {"no answer", {Response::dropped()}, false},
        {"a dropped download", {answer(200, {{"Last-Modified", newer}}), Response::dropped()}, true},
        {"a failed download",
         {answer(200, {{"Last-Modified", newer}}), answer(500, {}, "server error")},
         true},
        {"a download of another name",
         {answer(200, {{"Last-Modified", newer}}),
          answer(200, {{"Content-Disposition", "attachment; filename=\"x.jpg\""}}, kNewImage)},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer server;
        for (const Response& answer : c.answers)
            server.answerNext(path, answer);
        Refresh refresh(server.url(path).toString());

        EXPECT_EQ(refresh.run(), 0);
        EXPECT_EQ(downloadsAsked(server) > 0, c.downloadAsked); // a dropped request may be sent again
        EXPECT_EQ(contentsOf(refresh.imagePath), kOldImage);
        EXPECT_EQ(refresh.entryOnDisk().value(kImageModifiedDateKey).toString(), kStoredDate);
        EXPECT_TRUE(refresh.renewed.isEmpty());
        EXPECT_TRUE(refresh.posted.names.isEmpty());
    }
}

TEST(IconRefresh, AnImageWithoutAnAddressOrAMissingListAsksNothing)
{
    LocalHttpServer server;
    {
        Refresh refresh{QString()};
        EXPECT_EQ(refresh.run(), 0);
    }
    {
        Refresh refresh(server.url(QStringLiteral("/MainimageTitle_Cropped.jpg")).toString());
        QFile::remove(refresh.listPath);
        EXPECT_EQ(refresh.run(), -43);
        EXPECT_TRUE(Refresh::updates()
                        .destinationSuggestedFilenameForURL(
                            server.url(QStringLiteral("/MainimageTitle_Cropped.jpg")).toString())
                        .isEmpty());
    }
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST(IconRefresh, TheDownloadFolderIsOnlyAnExistingFolder)
{
    QTemporaryDir dir;
    DownloadUtilities& downloads = DownloadUtilities::sharedDownloadManager();
    downloads.setDownloadFolder(dir.path());
    QFile file(dir.filePath(QStringLiteral("a file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (const QString& refused : {dir.filePath(QStringLiteral("missing")), file.fileName(), QString()}) {
        downloads.setDownloadFolder(refused);
        EXPECT_EQ(downloads.downloadFolder(), dir.path()) << qPrintable(refused);
    }
}

TEST(IconRefresh, AWebViewMayShowOnlyTheImagesLocalFiles)
{
    for (const bool htmlTwins : {false, true}) {
        SCOPED_TRACE(htmlTwins ? "pages for the animations" : "no pages for the animations");
        TemporaryAppBundle app(ns::Dictionary{{QStringLiteral("GetHtmlFilePathByFlashFile"), htmlTwins}});
        ConfigManager store;
        const QString data = app.dataFolder();
        const QString list = data + QStringLiteral("/IconLinks.plist");
        const QString promo = data + QStringLiteral("/promo/promo.swf");
        ns::PropertyList::writeFile(
            list, ns::Array{ns::Dictionary{{kImageURLKey, QStringLiteral("http://operator.test/promo.swf")},
                                           {kImageStorePathKey, promo}}});
        WeblinkUpdateUtilities& updates = WeblinkUpdateUtilities::sharedUpdateManager();
        updates.setConfigStore(&store);
        updates.setcfgFile(list);
        const auto file = [](const QString& path) { return QUrl::fromLocalFile(path).toString(); };
        struct Case {
            QString address;
            bool known;
        };
        const Case cases[] = {
            {QStringLiteral("http://operator.test/promo.swf"), true},
            {file(promo), true},
            {file(data + QStringLiteral("/promo/promo.htm")), htmlTwins},
            {file(data + QStringLiteral("/dovure/images/ZuderaDongle.gif")), true},
            {file(data + QStringLiteral("/Sources/ad.png")), true},
            {file(data + QStringLiteral("/settings.plist")), false},
            {file(list), false},
            {QStringLiteral("file:///etc/passwd"), false},
            {QStringLiteral("http://elsewhere.test/"), false},
        };
        for (const Case& c : cases)
            EXPECT_EQ(updates.isKnownURLInIconLinks(c.address), c.known) << qPrintable(c.address);
        updates.setConfigStore(&ConfigManager::sharedConfigManager());
        updates.setcfgFile(QString());
    }
}
