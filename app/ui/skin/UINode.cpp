#include "app/ui/skin/UINode.h"

UINode::UINode(ns::Object* controller, const QString& name) : name_(name)
{
    setController(controller);
}

ns::Object* UINode::controller() const
{
    return alive_.expired() ? nullptr : controller_;
}

void UINode::setController(ns::Object* controller)
{
    controller_ = controller;
    alive_ = controller ? controller->lifetime() : std::weak_ptr<const void>();
}
