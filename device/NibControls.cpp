#include "device/NibControls.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Window.h"

namespace nib
{

ns::TextField* makeLabel(const ns::Rect& frame, const ns::Font& font, int alignment)
{
    return ns::TextField::labelWithFrame(frame, font, alignment);
}

ns::Button* makePushButton(const ns::Rect& frame, ns::Object* target, const QString& action)
{
    auto* button = new ns::Button(frame);
    button->setBezelStyle(ns::RoundedBezelStyle);
    button->setTarget(target);
    button->setAction(action);
    return button;
}

ns::Button* makeCheckBox(const ns::Rect& frame, ns::Object* target, const QString& action)
{
    auto* box = new ns::Button(frame);
    box->setButtonType(ns::SwitchButton);
    box->setTarget(target);
    box->setAction(action);
    return box;
}

std::unique_ptr<ns::Window> makePanel(const ns::Size& size, unsigned style)
{
    auto window = std::make_unique<ns::Window>(ns::Rect(0, 0, size.width, size.height), style);
    window->center();
    return window;
}

ns::Window* topMostSheet(ns::Window* window)
{
    while (window && window->attachedSheet())
        window = window->attachedSheet();
    return window;
}

void endSheet(ns::Window* sheet)
{
    if (!sheet)
        return;
    sheet->orderOut(nullptr);
    ns::Application::sharedApplication().endSheet(sheet);
}

} // namespace nib
