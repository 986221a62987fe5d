#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/SavePanel.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

using namespace ns;
using appkit_test::Recorder;

namespace
{

struct Ended {
    int code = -1;
    QString file;
};

// Types the name into the panel's name field as a user would.
void typeName(SavePanel& panel, const QString& name)
{
    auto* field = appkit_test::findWidget<TextField>(
        panel.contentView(), [](TextField* candidate) { return candidate->isEditable(); });
    ASSERT_NE(field, nullptr);
    field->editor()->selectAll();
    QTest::keyClicks(field->editor(), name);
}

} // namespace

TEST(AppKitSavePanel, SheetEndsWithTheChosenFileInTheRequiredType)
{
    auto window = appkit_test::shownWindow(Rect(100, 100, 500, 300));
    // Name typed, type required: the extension is added unless the name ends in it.
    const struct {
        QString name;
        QString file;
    } cases[] = {{"history", "/data/history.txt"},
                 {"history.TXT", "/data/history.TXT"},
                 {"history.csv", "/data/history.csv.txt"}};
    for (const auto& c : cases) {
        SavePanel panel;
        panel.setRequiredFileType("txt");
        Ended ended;
        ASSERT_TRUE(
            panel.beginSheetForDirectory("/data", QString(), window.get(), [&](SavePanel* p, int code) {
                ended = {code, p->filename()};
            }));
        EXPECT_EQ(window->attachedSheet(), &panel);
        EXPECT_FALSE(panel.saveButton()->isEnabled()); // no name yet
        typeName(panel, c.name);
        appkit_test::click(panel.saveButton());
        EXPECT_EQ(ended.code, FileHandlingPanelOKButton) << c.name.toStdString();
        EXPECT_EQ(ended.file, c.file) << c.name.toStdString();
        EXPECT_EQ(window->attachedSheet(), nullptr);
        EXPECT_FALSE(panel.isVisible());
    }
}

TEST(AppKitSavePanel, CancelEndsTheSheetWithTheCancelCode)
{
    auto window = appkit_test::shownWindow();
    SavePanel panel;
    Ended ended;
    panel.beginSheetForDirectory("/data", "kept", window.get(),
                                 [&](SavePanel*, int code) { ended.code = code; });
    EXPECT_TRUE(panel.saveButton()->isEnabled());
    appkit_test::click(panel.cancelButton());
    EXPECT_EQ(ended.code, FileHandlingPanelCancelButton);
    EXPECT_EQ(window->attachedSheet(), nullptr);
}

TEST(AppKitDatePicker, TextStyleSendsTheUsersChangesOnly)
{
    auto window = appkit_test::shownWindow();
    Recorder recorder;
    auto* picker = new DatePicker(Rect(10, 10, 140, 24));
    picker->setTarget(&recorder);
    picker->setAction("pressed:");
    window->contentView()->addSubview(picker);
    picker->setDatePickerStyle(TextFieldAndStepperDatePickerStyle);
    picker->setDateValue(QDate(2026, 2, 14));
    EXPECT_TRUE(recorder.calls.isEmpty()); // set by the program: no action
    ASSERT_NE(picker->field(), nullptr);
    EXPECT_EQ(picker->field()->text(), "2026-02-14");

    picker->field()->setFocus();
    picker->field()->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(picker->field(), Qt::Key_Up);
    EXPECT_EQ(picker->dateValue(), QDate(2026, 2, 15));
    ASSERT_EQ(recorder.senders.size(), 1);
    EXPECT_EQ(recorder.senders[0], picker);

    picker->setDatePickerStyle(ClockAndCalendarDatePickerStyle);
    EXPECT_EQ(picker->field(), nullptr);
    EXPECT_EQ(picker->dateValue(), QDate(2026, 2, 15)); // the calendar takes the day over
}
