#pragma once

#include "platform/ae/Descriptor.h"

#include <optional>
#include <utility>
#include <vector>

namespace ae
{

// An Apple Event: class and ID, return and transaction IDs, the target
// process and parameters by four-character keyword (kept in the order they
// were first set).
struct Frame;

class AppleEvent
{
public:
    using Parameter = std::pair<OSType, Descriptor>;

    AppleEvent() = default;
    AppleEvent(OSType eventClass, OSType eventID, const Descriptor& target,
               AEReturnID returnID = kAutoGenerateReturnID,
               AETransactionID transactionID = kAnyTransactionID);

    OSType eventClass() const { return eventClass_; }
    void setEventClass(OSType eventClass) { eventClass_ = eventClass; }
    OSType eventID() const { return eventID_; }
    void setEventID(OSType eventID) { eventID_ = eventID; }
    AEReturnID returnID() const { return returnID_; }
    void setReturnID(AEReturnID returnID) { returnID_ = returnID; }
    AETransactionID transactionID() const { return transactionID_; }
    void setTransactionID(AETransactionID transactionID) { transactionID_ = transactionID; }

    const Descriptor& target() const { return target_; }
    void setTarget(const Descriptor& target) { target_ = target; }
    // The bundle identifier a 'bund' target names; empty for any other target.
    QString targetBundleIdentifier() const;

    // Sets the parameter, replacing one with the same keyword in its place.
    void setParamDescriptor(OSType keyword, const Descriptor& descriptor);
    std::optional<Descriptor> paramDescriptor(OSType keyword) const;
    void removeParamDescriptor(OSType keyword);
    const std::vector<Parameter>& parameters() const { return parameters_; }

    bool operator==(const AppleEvent& other) const = default;

private:
    friend struct Frame; // decodes parameters straight into parameters_, keywords already checked unique

    OSType eventClass_ = 0;
    OSType eventID_ = 0;
    AEReturnID returnID_ = kAutoGenerateReturnID;
    AETransactionID transactionID_ = kAnyTransactionID;
    Descriptor target_;
    std::vector<Parameter> parameters_;
};

} // namespace ae
