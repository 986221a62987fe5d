#include "connection/Dovure/FavoriteIconHintWindow.h"
#include "connection/Dovure/IconMatrix.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WeblinkButton.h"
#include "platform/ns/appkit/Screen.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/RecordingProgram.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using appkit_test::Mouse;
using device_test::OpenedLinks;
using device_test::PostedNames;

namespace
{

const QString kPage = QStringLiteral("http://operator.test/portal");

// A square picture of one colour, saved as a PNG file.
QString pictureFile(const QTemporaryDir& dir, const QString& name, const QColor& color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    const QString path = dir.filePath(name);
    image.save(path, "PNG");
    return path;
}

} // namespace

TEST(WeblinkButton, AClickOpensTheLinkByItsType)
{
    QTemporaryDir dir;
    const QString document = newEmptyFile(dir.path(), QStringLiteral("guide.pdf"));

    struct Case {
        const char* name;
        int type;
        bool withApplication;
        QString para;
        QList<QUrl> opened;
        std::optional<QStringList> arguments; // the application's, when it runs
    };
    const Case cases[] = {
        {"web address", WeblinkButton::WebAddressLink, false, QString(), {QUrl(kPage)}, std::nullopt},
        {"web address, a file given",
         WeblinkButton::WebAddressLink,
         false,
         document,
         {QUrl(kPage)},
         std::nullopt},
        {"application with a file",
         WeblinkButton::ApplicationLink,
         true,
         document,
         {},
         QStringList{document}},
        {"application alone", WeblinkButton::ApplicationLink, true, QString(), {}, QStringList()},
        {"other type", 2, true, document, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenedLinks links;
        RecordingProgram application;
        const auto window = appkit_test::shownWindow();
        auto* button = new WeblinkButton(ns::Rect(20, 20, 80, 30));
        window->contentView()->addSubview(button);
        appkit_test::Recorder recorder;
        button->setTarget(&recorder);
        button->setAction(QStringLiteral("pressed:"));
        button->setWebLinkString(c.withApplication ? application.path() : kPage);
        button->setLinkType(c.type);
        button->setLinkPara(c.para);

        appkit_test::click(button);
        EXPECT_EQ(recorder.senders.size(), 1);
        EXPECT_EQ(links.urls, c.opened);
        if (c.arguments) {
            EXPECT_EQ(application.arguments(), c.arguments);
        } else {
            // Another button that does start the program shows this one started nothing.
            WeblinkButton witness(ns::Rect(20, 60, 80, 30));
            window->contentView()->addSubview(&witness);
            witness.setWebLinkString(application.path());
            witness.setLinkType(WeblinkButton::ApplicationLink);
            appkit_test::click(&witness);
            EXPECT_EQ(application.arguments(), QStringList());
            witness.removeFromSuperview();
        }
    }
}

TEST(WeblinkButton, NothingOpensWhileDisabledOrWhenTheMouseLeavesIt)
{
    OpenedLinks links;
    const auto window = appkit_test::shownWindow();
    auto* button = new WeblinkButton(ns::Rect(20, 20, 80, 30));
    window->contentView()->addSubview(button);
    button->setWebLinkString(kPage);

    button->setEnabled(false);
    appkit_test::click(button);
    button->setEnabled(true);
    appkit_test::mouse(Mouse::Press, button, {40, 15});
    appkit_test::mouse(Mouse::Release, window->contentView(), {250, 150});
    EXPECT_TRUE(links.urls.isEmpty());

    button->setWebLinkString(QString());
    appkit_test::click(button);
    EXPECT_TRUE(links.urls.isEmpty());
    EXPECT_TRUE(button->webLink().isEmpty());
}

TEST(WebLinkImageView, OpensItsLinkOrSaysItIsDisabled)
{
    OpenedLinks links;
    PostedNames posted({kWebLinkImageViewDisabledNotification});
    const auto window = appkit_test::shownWindow();
    auto* view = new WebLinkImageView(ns::Rect(20, 20, 100, 60));
    window->contentView()->addSubview(view);
    view->setWebLinkString(kPage);

    appkit_test::click(view);
    EXPECT_EQ(links.urls, QList<QUrl>{QUrl(kPage)});
    EXPECT_TRUE(posted.names.isEmpty());

    view->setEnabled(false);
    appkit_test::click(view);
    EXPECT_EQ(links.urls.size(), 1);
    EXPECT_EQ(posted.names, QStringList{kWebLinkImageViewDisabledNotification});
}

TEST(IconMatrix, PlacesEachListedImageByItsIndex)
{
    QTemporaryDir dir;
    const QString red = pictureFile(dir, QStringLiteral("red.png"), Qt::red);
    const QString green = pictureFile(dir, QStringLiteral("green.png"), Qt::green);
    IconMatrix matrix(ns::Rect(0, 0, 150, 100), 2, 3);
    matrix.setList(ns::Array{ns::Dictionary{{QStringLiteral("Index"), 4}, {QStringLiteral("Image"), red}},
                             ns::Dictionary{{QStringLiteral("Index"), 0}, {QStringLiteral("Image"), green}},
                             ns::Dictionary{{QStringLiteral("Image"), red}},
                             ns::Dictionary{{QStringLiteral("Index"), 2}},
                             ns::Dictionary{{QStringLiteral("Index"), 9}, {QStringLiteral("Image"), red}}});
    matrix.refresh();
    for (int index = 0; index < 6; ++index) {
        const ns::Image image = matrix.cellAtRow(index / 3, index % 3)->image();
        const QColor expected = index == 4 ? QColor(Qt::red) : index == 0 ? QColor(Qt::green) : QColor();
        EXPECT_EQ(image.isNull() ? QColor() : image.qImage().pixelColor(8, 8), expected) << "cell " << index;
    }
}

TEST(IconMatrix, AClickSelectsTheCellUnderTheMouseAndDrawsItOnBlue)
{
    const auto window = appkit_test::shownWindow(ns::Rect(100, 100, 300, 200));
    auto* matrix = new IconMatrix(ns::Rect(10, 10, 250, 150), 2, 3);
    matrix->setCellSize({50, 50});
    matrix->setIntercellSpacing({10, 10});
    window->contentView()->addSubview(matrix);
    appkit_test::Recorder recorder;
    matrix->setTarget(&recorder);
    matrix->setAction(QStringLiteral("pressed:"));

    appkit_test::click(matrix, {85, 85}); // row 1, column 1 (the matrix is flipped)
    EXPECT_EQ(matrix->curcellIndex(), 4);
    EXPECT_EQ(recorder.senders, QList<ns::Object*>{matrix});
    const QImage picture = matrix->grab().toImage();
    EXPECT_EQ(picture.pixelColor(85, 85), QColor(Qt::blue));
    EXPECT_NE(picture.pixelColor(25, 25), QColor(Qt::blue));

    appkit_test::click(matrix, {55, 25}); // between two cells
    EXPECT_EQ(matrix->curcellIndex(), -1);
    EXPECT_EQ(recorder.senders.size(), 1);
    EXPECT_NE(matrix->grab().toImage().pixelColor(85, 85), QColor(Qt::blue));

    appkit_test::click(matrix, {140, 25});
    EXPECT_EQ(matrix->curcellIndex(), 2);
    EXPECT_EQ(recorder.senders.size(), 2);
}

TEST(FavoriteIconHintWindow, ADragMovesItWithTheMouseAndKeepsItOnTheScreen)
{
    FavoriteIconHintWindow hint(ns::Rect(200, 200, 120, 80));
    EXPECT_EQ(hint.styleMask(), unsigned(ns::BorderlessWindowMask));
    EXPECT_FALSE(hint.isOpaque());
    EXPECT_FALSE(hint.hasShadow());
    auto* content = new ns::View(ns::Rect(0, 0, 120, 80));
    delete hint.setContentView(content);
    hint.orderFront(nullptr);

    appkit_test::mouse(Mouse::Press, content, {10, 10});
    appkit_test::mouse(Mouse::Move, content, {40, 30});
    EXPECT_EQ(hint.frame().origin, (ns::Point{230, 220}));

    const ns::Rect screen = ns::Screen::mainScreen().frame();
    appkit_test::mouse(Mouse::Move, content, {-5000, 5000});
    EXPECT_EQ(hint.frame().origin, (ns::Point{screen.origin.x, screen.maxY() - 80}));
    appkit_test::mouse(Mouse::Release, content, {0, 0});
}
