#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// The modem's radio taken off-line (3/4) and brought on-line again (3/3) on
// the manager's request: each is answered with a plain acknowledgement. The
// device comes up on-line.
class DevicePower : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void describeState(ns::Dictionary& state) const override;
    void devicePlugged() override { online_ = true; }

private:
    void dealWithWork(const _UI_MSG& request, bool online);

    bool online_ = true;
};

} // namespace halvex
