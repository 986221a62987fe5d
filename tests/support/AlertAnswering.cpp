#include "tests/support/AlertAnswering.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

namespace appkit_test
{

namespace
{

// Notes what the panel shows and presses its button of that title.
void answerAlert(ns::Window* panel, const QString& button, AlertSeen* seen)
{
    seen->shown = true;
    ns::Button* chosen = nullptr;
    // The panel's classes are not Qt meta-objects: tell them apart by their C++ type.
    for (QWidget* widget : panel->findChildren<QWidget*>()) {
        if (auto* field = dynamic_cast<ns::TextField*>(widget); field && !field->stringValue().isEmpty())
            seen->texts << field->stringValue();
        auto* candidate = dynamic_cast<ns::Button*>(widget);
        if (!candidate || candidate->isHidden())
            continue;
        seen->buttons << candidate->title();
        if (candidate->title() == button)
            chosen = candidate;
    }
    ASSERT_NE(chosen, nullptr) << button.toStdString();
    click(chosen);
}

} // namespace

void answerNextAlert(const QString& button, AlertSeen* seen)
{
    whenRunning([button, seen] {
        if (ns::Window* panel = ns::Application::sharedApplication().modalWindow())
            answerAlert(panel, button, seen);
    });
}

AlertAnswerer::AlertAnswerer(const QString& button)
{
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this, button] {
        ns::Window* panel = ns::Application::sharedApplication().modalWindow();
        if (!panel || panel == answering_)
            return;
        answering_ = panel;
        AlertSeen seen;
        answerAlert(panel, button, &seen);
        answering_ = nullptr;
        alerts << seen.texts;
    });
    timer_.start();
}

} // namespace appkit_test
