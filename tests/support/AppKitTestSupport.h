#pragma once

#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>

namespace appkit_test
{

// A target that records the actions it receives: the selector and the
// sender of each, in order ("pressed:" unless told otherwise).
class Recorder : public ns::Object
{
public:
    explicit Recorder(std::initializer_list<const char*> selectors = {"pressed:"})
    {
        for (const char* selector : selectors)
            registerSelector(selector, [this, selector](ns::Object* sender) {
                calls.append({QString::fromLatin1(selector), sender});
                senders.append(sender);
            });
    }
    QList<QPair<QString, ns::Object*>> calls;
    QList<ns::Object*> senders;
};

// A file of tests/fixtures/ns_appkit.
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
