#include "app/ui/controller/JOVAlertPanel.h"
#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSButtonExt.h"
#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/ui_skin/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace
{

// A skinned alert panel over the product's default skin.
class AlertPanelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        bundle_.installDefaultSkin();
        store_ = std::make_unique<ConfigManager>();
        skin_ = std::make_unique<JOVUIManager>(*store_);
        panel_ = std::make_unique<JOVAlertPanel>(*store_);
        panel_->jovSkinManager = skin_.get();
        panel_->awakeFromNib();
        ASSERT_EQ(JOVAlertPanel::shareAlertPanel(), panel_.get());
    }

    // Runs the panel and presses the button of that title once it shows.
    int runAndPress(const QString& alternate, const QString& pressed, QStringList* visibleButtons = nullptr)
    {
        appkit_test::whenRunning([=, this] {
            ns::Application& app = ns::Application::sharedApplication();
            if (app.modalWindow() != panel_->window()) {
                ADD_FAILURE() << "the skinned panel does not run";
                app.abortModal();
                return;
            }
            if (visibleButtons) {
                for (NSButtonExt* button : {panel_->okButton(), panel_->cancelButton()})
                    if (!button->isHidden())
                        visibleButtons->append(button->title());
            }
            NSButtonExt* button =
                panel_->okButton()->title() == pressed ? panel_->okButton() : panel_->cancelButton();
            appkit_test::click(button);
        });
        return panel_->runAlertPanelTitle("Warning", "The device was removed.", "OK", alternate);
    }

    SkinBundle bundle_;
    std::unique_ptr<ConfigManager> store_;
    std::unique_ptr<JOVUIManager> skin_;
    std::unique_ptr<JOVAlertPanel> panel_;
};

} // namespace

TEST_F(AlertPanelTest, IsDressedByTheSkin)
{
    EXPECT_EQ(panel_->window()->frame().size, (ns::Size{360, 150}));
    EXPECT_EQ(panel_->okButton()->frame(), ns::Rect(262, 12, 82, 26));
    EXPECT_FALSE(panel_->okButton()->isBordered());
    EXPECT_FALSE(panel_->okButton()->alternateImage().isNull());
    EXPECT_EQ(panel_->cancelButton()->frame().origin, (ns::Point{170, 12}));
}

TEST_F(AlertPanelTest, ReturnsTheCodeOfThePressedButton)
{
    struct Case {
        const char* what;
        QString alternate;
        QString pressed;
        int code;
        QStringList buttons;
    };
    const Case cases[] = {
        {"OK", "Cancel", "OK", ns::AlertDefaultReturn, {"OK", "Cancel"}},
        {"Cancel", "Cancel", "Cancel", ns::AlertAlternateReturn, {"OK", "Cancel"}},
        {"one button", QString(), "OK", ns::AlertDefaultReturn, {"OK"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList buttons;
        EXPECT_EQ(runAndPress(c.alternate, c.pressed, &buttons), c.code);
        EXPECT_EQ(buttons, c.buttons);
        EXPECT_FALSE(panel_->window()->isVisible());
    }
}

TEST_F(AlertPanelTest, AnAlertWhileThePanelIsUpTakesTheStandardPanel)
{
    ns::Application& app = ns::Application::sharedApplication();
    int inner = -1;
    bool stillUp = false;
    appkit_test::whenRunning([&] {
        appkit_test::whenRunning([&] {
            ns::Window* window = app.modalWindow();
            if (!window || window == panel_->window()) {
                ADD_FAILURE() << "the second alert does not run the standard panel";
                app.stopModalWithCode(-1);
                return;
            }
            for (QWidget* widget : window->findChildren<QWidget*>()) {
                auto* button = dynamic_cast<ns::Button*>(widget);
                if (button && button->title() == "Retry") {
                    appkit_test::click(button);
                    return;
                }
            }
            ADD_FAILURE() << "the standard panel has no Retry button";
            app.abortModal();
        });
        inner = panel_->runAlertPanelTitle("Warning", "The SIM card was removed.", "Retry", QString());
        // The first alert is still up as it was, and still answers.
        stillUp = app.modalWindow() == panel_->window() && panel_->window()->isVisible() &&
                  panel_->okButton()->title() == "OK" && !panel_->cancelButton()->isHidden();
        appkit_test::click(panel_->okButton());
    });

    EXPECT_EQ(panel_->runAlertPanelTitle("Warning", "The device was removed.", "OK", "Cancel"),
              ns::AlertDefaultReturn);
    EXPECT_EQ(inner, ns::AlertDefaultReturn);
    EXPECT_TRUE(stillUp);
}

TEST_F(AlertPanelTest, RendersTheSkinnedPanel)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("alert.png");
    QImage grabbed;
    appkit_test::whenRunning([&] {
        if (ns::Application::sharedApplication().modalWindow() != panel_->window()) {
            ADD_FAILURE() << "the skinned panel does not run";
            ns::Application::sharedApplication().abortModal();
            return;
        }
        EXPECT_TRUE(panel_->window()->grab().save(path));
        grabbed = QImage(path);
        appkit_test::click(panel_->okButton());
    });
    EXPECT_EQ(panel_->runAlertPanelTitle("Warning", "The device was removed.", "OK", "Cancel"), 1);

    ASSERT_FALSE(grabbed.isNull());
    EXPECT_EQ(grabbed.size(), QSize(360, 150));
    EXPECT_EQ(grabbed.pixelColor(180, 80), QColor(240, 240, 240)); // the panel's ground
    EXPECT_EQ(grabbed.pixelColor(180, 10), QColor(214, 222, 234)); // its title band
    EXPECT_EQ(grabbed.pixelColor(0, 0).alpha(), 0);                // a rounded corner
    // The OK button's up strip, below and right of its title.
    EXPECT_EQ(grabbed.pixelColor(262 + 3, 150 - 12 - 3), QColor(52, 120, 214));
    // Dark title text inside the band.
    bool titleDrawn = false;
    for (int x = 20; x < 120 && !titleDrawn; ++x)
        for (int y = 8; y < 28 && !titleDrawn; ++y)
            titleDrawn = grabbed.pixelColor(x, y).lightness() < 100;
    EXPECT_TRUE(titleDrawn);
}
