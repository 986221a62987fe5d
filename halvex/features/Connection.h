#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/DialParams.h"
#include "jCommon/UIMsg.h"

namespace halvex
{

// The data connection's parameters: the manager hands the profile to dial
// with as the dial-parameter record (0x0101/60); the device keeps the last
// one and acknowledges each. Tests read the last record's fields and how many
// have come.
class Connection : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void describeState(ns::Dictionary& state) const override;

private:
    void dealWithSetDialParams(const _UI_MSG& request);

    DialParams dialParams_;
    int dialParamsCount_ = 0;
};

} // namespace halvex
