#pragma once

#include "halvex/features/Feature.h"

#include <QString>

namespace halvex
{

// The SIM's operator files, as hexadecimal text, once the SIM is usable:
// service provider display information, service provider name, ICCID. The
// "spn" step writes the network's name into the name file in one of its
// codings and reports it again.
class SimFiles : public Feature
{
public:
    // The codings of the name file's alpha identifier.
    enum class SpnCoding { GsmDefault = 0, Ucs2 = 1, CompressedByteBase = 2, CompressedWordBase = 3 };

    explicit SimFiles(Modem& modem);

    void registerSteps(StepTable& steps) override;
    void describeState(ns::Dictionary& state) const override;
    void simReady() override;
    void deviceRemoved() override { ready_ = false; }

    // The name file for a name in a coding (display condition first, the
    // rest of its 17 bytes filled with FF), as hexadecimal text.
    static QString spnFile(const QString& name, SpnCoding coding, int displayCondition);

private:
    void reportSpn();

    bool ready_ = false;
    QString spnFile_;
};

} // namespace halvex
