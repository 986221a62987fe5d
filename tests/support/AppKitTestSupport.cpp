#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace appkit_test
{

namespace
{

// The widgets need a QApplication; it lives while the tests run.
class QtApplicationEnvironment : public testing::Environment
{
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "appkit_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

QString fixture(const QString& name)
{
    return QStringLiteral(TRELVAN_FIXTURES_DIR "/ns_appkit/") + name;
}

std::unique_ptr<ns::Window> shownWindow(const ns::Rect& contentRect)
{
    auto window = std::make_unique<ns::Window>(contentRect, ns::TitledWindowMask | ns::ClosableWindowMask |
                                                                ns::MiniaturizableWindowMask);
    window->makeKeyAndOrderFront(nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
}

void whenRunning(std::function<void()> function)
{
    QTimer::singleShot(0, std::move(function));
}

void mouse(Mouse action, ns::View* view, ns::Point point)
{
    QWidget* top = view->QWidget::window();
    const ns::Point inWindow = view->convertPointToView(point, nullptr);
    const QPoint position(int(inWindow.x), int(top->height() - inWindow.y));
    QWidget* target = top->childAt(position);
    if (!target)
        target = top;
    const QPoint local = target->mapFrom(top, position);
    switch (action) {
    case Mouse::Press:
        QTest::mousePress(target, Qt::LeftButton, {}, local);
        break;
    case Mouse::Move:
        QTest::mouseMove(target, local);
        break;
    case Mouse::Release:
        QTest::mouseRelease(target, Qt::LeftButton, {}, local);
        break;
    case Mouse::Click:
        QTest::mouseClick(target, Qt::LeftButton, {}, local);
        break;
    case Mouse::DoubleClick: {
        // As the desktop delivers it: a click, then a double-click press and its release.
        QTest::mouseClick(target, Qt::LeftButton, {}, local);
        QMouseEvent second(QEvent::MouseButtonDblClick, local, target->mapToGlobal(local), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &second);
        QTest::mouseRelease(target, Qt::LeftButton, {}, local);
        break;
    }
    }
}

void click(ns::View* view, ns::Point point)
{
    mouse(Mouse::Click, view, point);
}

void click(ns::View* view)
{
    click(view, {view->bounds().midX(), view->bounds().midY()});
}

} // namespace appkit_test
