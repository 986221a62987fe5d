#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

#include <QString>

#include <cstdint>

namespace halvex
{

// The SIM's presence and type, its request for a PIN or PUK with the
// attempts left, the manager's PIN and PUK checks, and SIM ready.
class SimPin : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    // Reports the SIM last of the device reports: a usable SIM leads on to
    // the reports that follow from it.
    void devicePlugged() override;
    void simUnlocked() override;
    void describeState(ns::Dictionary& state) const override;

private:
    void dealWithCheckPin(const _UI_MSG& request);
    void dealWithCheckPuk(const _UI_MSG& request);
    void dealWithSavePin(const _UI_MSG& request);
    void askForCode();
    _UI_MSG attemptsLeftRecord() const;
    void codeAccepted(const _UI_MSG& request);
    void codeRefused(const _UI_MSG& request);
    bool simAsksForCode() const;

    QString savedPin_; // the PIN the manager asked the modem to keep
};

} // namespace halvex
