#pragma once

#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

namespace appkit_test
{

// A target that records the senders of its "pressed:" action.
class Recorder : public ns::Object
{
public:
    Recorder()
    {
        registerSelector("pressed:", [this](ns::Object* sender) { senders.append(sender); });
    }
    QList<ns::Object*> senders;
};

// The fixture file of this suite.
QString fixture(const QString& name);

// A titled window shown on the offscreen screen, with its content area at the given screen rectangle.
std::unique_ptr<ns::Window> shownWindow(const ns::Rect& contentRect = ns::Rect(100, 100, 300, 200));

// The first descendant widget of type T for which the test holds.
template <class T> T* findWidget(QWidget* root, const std::function<bool(T*)>& test = {})
{
    for (QWidget* widget : root->findChildren<QWidget*>())
        if (auto* found = dynamic_cast<T*>(widget); found && (!test || test(found)))
            return found;
    return nullptr;
}

// Runs the function once the next event loop (a modal run, a menu) has started.
void whenRunning(std::function<void()> function);

// Mouse events as the user makes them, at a point of the view's own (Cocoa)
// coordinates: delivered to the widget under that point, as the window would.
enum class Mouse { Press, Move, Release, Click, DoubleClick };
void mouse(Mouse action, ns::View* view, ns::Point point);
void click(ns::View* view, ns::Point point);
void click(ns::View* view);

} // namespace appkit_test
