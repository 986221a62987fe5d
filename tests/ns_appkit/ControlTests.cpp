#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TextField.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

using namespace ns;
using appkit_test::Recorder;

namespace
{

class TextDelegate : public TextFieldDelegate
{
public:
    void controlTextDidBeginEditing(const Notification& n) override { calls.append("begin " + text(n)); }
    void controlTextDidChange(const Notification& n) override { calls.append("change " + text(n)); }
    void controlTextDidEndEditing(const Notification& n) override { calls.append("end " + text(n)); }
    QStringList calls;

private:
    static QString text(const Notification& n) { return static_cast<TextField*>(n.object())->stringValue(); }
};

struct AppKitControls : testing::Test {
    std::unique_ptr<Window> window = appkit_test::shownWindow();
    Recorder recorder;

    Button* addButton(const Rect& frame)
    {
        auto* button = new Button(frame);
        button->setTitle("Press");
        button->setTarget(&recorder);
        button->setAction("pressed:");
        window->contentView()->addSubview(button);
        return button;
    }
};

} // namespace

TEST_F(AppKitControls, ClickedButtonSendsItsActionWithItselfAsSender)
{
    Button* button = addButton(Rect(20, 20, 100, 32));
    appkit_test::click(button);
    ASSERT_EQ(recorder.senders.size(), 1);
    EXPECT_EQ(recorder.senders[0], button);
}

TEST_F(AppKitControls, ButtonReleasedOutsideOrDisabledSendsNothing)
{
    Button* button = addButton(Rect(20, 20, 100, 32));
    using appkit_test::Mouse;
    appkit_test::mouse(Mouse::Press, button, {50, 16});
    EXPECT_TRUE(button->cell()->isHighlighted());
    // The button keeps the mouse while it is dragged away and released outside.
    QTest::mouseMove(button, QPoint(180, 10));
    EXPECT_FALSE(button->cell()->isHighlighted());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(180, 10));
    EXPECT_TRUE(recorder.senders.isEmpty());
    EXPECT_FALSE(button->cell()->isHighlighted());

    button->setEnabled(false);
    appkit_test::click(button);
    EXPECT_TRUE(recorder.senders.isEmpty());
}

TEST_F(AppKitControls, ClickMovesEachButtonTypeToItsNextState)
{
    struct Case {
        int type;
        int before;
        int after;
    };
    const Case cases[] = {
        {MomentaryPushInButton, OffState, OffState},
        {MomentaryChangeButton, OffState, OffState},
        {PushOnPushOffButton, OffState, OnState},
        {ToggleButton, OnState, OffState},
        {SwitchButton, OffState, OnState},
        {SwitchButton, MixedState, OnState},
        {RadioButton, OnState, OnState},
        {OnOffButton, OnState, OffState},
    };
    for (const Case& c : cases) {
        Button* button = addButton(Rect(20, 20, 100, 32));
        button->setButtonType(c.type);
        button->setState(c.before);
        appkit_test::click(button);
        EXPECT_EQ(button->state(), c.after) << "type " << c.type;
        delete button;
    }
    EXPECT_EQ(recorder.senders.size(), int(std::size(cases)));
}

TEST_F(AppKitControls, ReturnKeyPressesTheDefaultButtonEvenFromATextField)
{
    Button* button = addButton(Rect(20, 20, 100, 32));
    button->setKeyEquivalent("\r");
    auto* field = new TextField(Rect(20, 100, 150, 22));
    window->contentView()->addSubview(field);
    window->makeFirstResponder(field);

    QTest::keyClick(field->editor(), Qt::Key_Return);
    EXPECT_EQ(recorder.senders.size(), 1);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(recorder.senders.size(), 1);
}

TEST_F(AppKitControls, ButtonSizesToItsImageWhenBorderless)
{
    Button* button = addButton(Rect(0, 0, 10, 10));
    button->setBordered(false);
    button->setImagePosition(ImageOnly);
    button->setImage(Image(Size{24, 16}));
    button->sizeToFit();
    EXPECT_EQ(button->frame().size, (Size{24, 16}));
}

TEST_F(AppKitControls, TitleColourSurvivesInTheAttributedTitleOnlyUntilANewTitle)
{
    Button* button = addButton(Rect(0, 0, 100, 30));
    TextAttributes attributes;
    attributes.foregroundColor = Color::redColor();
    button->setAttributedTitle(AttributedString("Red", attributes));
    EXPECT_EQ(button->title(), "Red");
    EXPECT_EQ(button->attributedTitle().attributesAtIndex(0).foregroundColor, Color::redColor());
    button->setTitle("Plain");
    EXPECT_FALSE(button->attributedTitle().attributes().foregroundColor.has_value());
}

TEST_F(AppKitControls, TextFieldReportsTheUsersEditingToItsDelegate)
{
    auto* field = new TextField(Rect(20, 20, 150, 22));
    TextDelegate delegate;
    field->setDelegate(&delegate);
    field->setTarget(&recorder);
    field->setAction("pressed:");
    window->contentView()->addSubview(field);

    field->setStringValue("set by the program");
    EXPECT_TRUE(delegate.calls.isEmpty());

    field->editor()->clear();
    window->makeFirstResponder(field);
    QTest::keyClicks(field->editor(), "ab");
    QTest::keyClick(field->editor(), Qt::Key_Return);
    EXPECT_EQ(delegate.calls, (QStringList{"begin a", "change a", "change ab", "end ab"}));
    EXPECT_EQ(field->stringValue(), "ab");
    EXPECT_EQ(recorder.senders, (QList<Object*>{field}));
}

TEST_F(AppKitControls, FormatterRewritesTheTextWhenEditingEnds)
{
    // Keeps the digits of what is typed.
    class DigitsFormatter : public Formatter
    {
    public:
        QString stringForObjectValue(const Value& value) const override
        {
            return value.toString().remove(QRegularExpression(QStringLiteral("[^0-9]")));
        }
        bool getObjectValue(Value* out, const QString& string, QString*) const override
        {
            *out = string;
            return true;
        }
    };
    auto* field = new TextField(Rect(20, 20, 150, 22));
    window->contentView()->addSubview(field);
    field->setStringValue("a1b2");
    field->setFormatter(std::make_unique<DigitsFormatter>());
    EXPECT_EQ(field->stringValue(), "12");

    window->makeFirstResponder(field);
    QTest::keyClicks(field->editor(), "x3");
    EXPECT_EQ(field->stringValue(), "12x3");
    QTest::keyClick(field->editor(), Qt::Key_Return);
    EXPECT_EQ(field->stringValue(), "123");
    EXPECT_EQ(field->editor()->text(), "123");

    field->setFormatter(nullptr);
    QTest::keyClicks(field->editor(), "y");
    QTest::keyClick(field->editor(), Qt::Key_Return);
    EXPECT_EQ(field->stringValue(), "123y");
}

TEST(AppKitTextField, NumbersAreReadFromTheStartOfTheText)
{
    struct Case {
        const char* text;
        int i;
        double d;
    };
    const Case cases[] = {
        {"42", 42, 42}, {" 12abc", 12, 12}, {"3.75", 3, 3.75}, {"-2e1x", -2, -20}, {"abc", 0, 0},
    };
    TextField field;
    for (const Case& c : cases) {
        field.setStringValue(c.text);
        EXPECT_EQ(field.intValue(), c.i) << c.text;
        EXPECT_DOUBLE_EQ(field.doubleValue(), c.d) << c.text;
    }
}

TEST_F(AppKitControls, LabelHasNoEditorAndSizesToItsText)
{
    auto* label = new TextField(Rect(20, 20, 10, 10));
    label->setEditable(false);
    label->setBezeled(false);
    label->setDrawsBackground(false);
    label->setStringValue("A label");
    window->contentView()->addSubview(label);
    EXPECT_EQ(label->editor(), nullptr);
    label->sizeToFit();
    EXPECT_GT(label->frame().size.width, 30);
    EXPECT_EQ(label->frame().origin, (Point{20, 20}));
}

TEST_F(AppKitControls, RadioMatrixSelectsTaggedCells)
{
    auto* matrix = new Matrix(Rect(20, 20, 120, 60), RadioModeMatrix, {}, 3, 1);
    matrix->setCellSize({120, 18});
    matrix->setIntercellSpacing({0, 2});
    for (int row = 0; row < 3; ++row) {
        matrix->cellAtRow(row, 0)->setTag(10 + row);
        matrix->cellAtRow(row, 0)->setTitle(QString("Choice %1").arg(row));
    }
    matrix->setTarget(&recorder);
    matrix->setAction("pressed:");
    window->contentView()->addSubview(matrix);

    EXPECT_EQ(matrix->selectedCell()->tag(), 10); // a radio matrix always has a choice
    EXPECT_TRUE(matrix->selectCellWithTag(12));
    EXPECT_EQ(matrix->selectedRow(), 2);
    EXPECT_FALSE(matrix->selectCellWithTag(99));

    // Row 1 lies 20 to 38 pixels below the top of the flipped matrix.
    appkit_test::click(matrix, {10, 25});
    EXPECT_EQ(matrix->selectedCell()->tag(), 11);
    EXPECT_EQ(matrix->cellWithTag(11)->state(), OnState);
    EXPECT_EQ(matrix->cellWithTag(12)->state(), OffState);
    EXPECT_EQ(recorder.senders, (QList<Object*>{matrix}));
}
