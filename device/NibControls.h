#pragma once

#include "platform/ns/appkit/Font.h"
#include "platform/ns/appkit/Geometry.h"
#include "platform/ns/appkit/TextField.h"

#include <QString>

#include <memory>

namespace ns
{
class Button;
class Object;
class Window;
} // namespace ns

// The controls the windows built in code are made of, made one way for every
// window of the device wing.
namespace nib
{

// A label: a text field that draws its text and takes no input.
ns::TextField* makeLabel(const ns::Rect& frame, const ns::Font& font, int alignment = ns::LeftTextAlignment);
// A rounded push button that sends the action to the target.
ns::Button* makePushButton(const ns::Rect& frame, ns::Object* target, const QString& action);
// A check box that sends the action to the target.
ns::Button* makeCheckBox(const ns::Rect& frame, ns::Object* target, const QString& action);
// A window of that content size and style, centred.
std::unique_ptr<ns::Window> makePanel(const ns::Size& size, unsigned style);

// The window a new sheet goes on: the top-most sheet of the chain attached
// to the window, or the window itself.
ns::Window* topMostSheet(ns::Window* window);
// Detaches the sheet from its window and orders it out; nothing for null.
void endSheet(ns::Window* sheet);

} // namespace nib
