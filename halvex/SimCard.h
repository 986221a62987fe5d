#pragma once

#include "halvex/Scenario.h"

#include <QString>

namespace halvex
{

// The SIM in the modem: whether it asks for a code, checking PIN and PUK and
// counting the attempts down. The counts live on the card, so they survive
// the device being unplugged; a PIN entered stays good until the card loses
// power.
class SimCard
{
public:
    enum class Status { Absent, Ready, PinRequired, PukRequired, Blocked };

    explicit SimCard(const Scenario::Sim& sim);

    Status status() const;
    bool isUsim() const { return usim_; }
    int pinAttemptsLeft() const { return pinAttemptsLeft_; }
    int pukAttemptsLeft() const { return pukAttemptsLeft_; }
    // Whether the card asks for its PIN when it powers up.
    bool isPinEnabled() const { return pinEnabled_; }
    // Whether the text is the card's PIN (nothing is counted).
    bool isPin(const QString& pin) const { return pin == pin_; }

    // The card loses power (the device was unplugged): a PIN-protected card
    // asks for its PIN again.
    void powerDown() { pinEntered_ = false; }

    // Checks a PIN while the card asks for one: the right PIN unlocks it and
    // restores the attempts, a wrong one costs an attempt. False whenever the
    // card is not unlocked by it.
    bool verifyPin(const QString& pin);
    // Checks a PUK while the card asks for one: the right PUK sets the new
    // PIN (4 to 8 digits), unlocks the card and restores both counts, a wrong
    // one costs a PUK attempt. A malformed new PIN is refused without a count.
    bool unblock(const QString& puk, const QString& newPin);

    static QString statusName(Status status);

private:
    bool present_;
    bool usim_;
    bool pinEnabled_;
    bool pinEntered_ = false;
    QString pin_;
    QString puk_;
    int pinAttemptsLeft_;
    int pukAttemptsLeft_;
};

} // namespace halvex
