#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/ObjectDictionary.h"
#include "platform/ns/Value.h"

namespace ns
{

class Notification : public Object
{
public:
    Notification(const QString& name, Object* object = nullptr, const Dictionary& userInfo = Dictionary(),
                 const QString& objectName = QString())
        : name_(name), object_(object), userInfo_(userInfo), objectName_(objectName)
    {
    }

    const QString& name() const { return name_; }
    Object* object() const { return object_; }
    const Dictionary& userInfo() const { return userInfo_; }
    // The object of a distributed notification, which is a string.
    const QString& objectName() const { return objectName_; }
    // Entries of the user information that are live objects (a window, a
    // view) rather than property-list values; set before posting.
    const ObjectDictionary& objectInfo() const { return objectInfo_; }
    void setObjectInfo(const ObjectDictionary& objectInfo) { objectInfo_ = objectInfo; }

private:
    QString name_;
    Object* object_;
    Dictionary userInfo_;
    QString objectName_;
    ObjectDictionary objectInfo_;
};

} // namespace ns
