#pragma once

#include "platform/ns/Object.h"

#include <QString>

#include <memory>

// One registration of the skin manager: an object of the user interface and
// the skin item key it was registered under. The node does not own the
// object (widgets belong to their parents); it notices when the object is
// destroyed, and then reads as holding none.
class UINode
{
public:
    UINode(ns::Object* controller, const QString& name);

    // The registered object; null once it has been destroyed.
    ns::Object* controller() const;
    void setController(ns::Object* controller);
    const QString& name() const { return name_; }
    void setName(const QString& name) { name_ = name; }

private:
    ns::Object* controller_ = nullptr;
    std::weak_ptr<const void> alive_;
    QString name_;
};
