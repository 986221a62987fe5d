#include "halvex/SimCard.h"

#include <QRegularExpression>

namespace halvex
{

SimCard::SimCard(const Scenario::Sim& sim)
    : present_(sim.state != Scenario::SimState::Absent), usim_(sim.usim),
      pinEnabled_(sim.state != Scenario::SimState::Ready), pin_(sim.pin), puk_(sim.puk),
      pinAttemptsLeft_(sim.pinAttemptsLeft), pukAttemptsLeft_(sim.pukAttemptsLeft)
{
}

SimCard::Status SimCard::status() const
{
    if (!present_)
        return Status::Absent;
    if (pukAttemptsLeft_ == 0)
        return Status::Blocked;
    if (pinAttemptsLeft_ == 0)
        return Status::PukRequired;
    if (pinEnabled_ && !pinEntered_)
        return Status::PinRequired;
    return Status::Ready;
}

bool SimCard::verifyPin(const QString& pin)
{
    if (status() != Status::PinRequired)
        return false;
    if (pin != pin_) {
        --pinAttemptsLeft_;
        return false;
    }
    pinEntered_ = true;
    pinAttemptsLeft_ = Scenario::kMaxPinAttempts;
    return true;
}

bool SimCard::unblock(const QString& puk, const QString& newPin)
{
    static const QRegularExpression pinForm(QStringLiteral("^[0-9]{4,8}$"));
    if (status() != Status::PukRequired || !pinForm.match(newPin).hasMatch())
        return false;
    if (puk != puk_) {
        --pukAttemptsLeft_;
        return false;
    }
    pin_ = newPin;
    pinEntered_ = true;
    pinAttemptsLeft_ = Scenario::kMaxPinAttempts;
    pukAttemptsLeft_ = Scenario::kMaxPukAttempts;
    return true;
}

QString SimCard::statusName(Status status)
{
    switch (status) {
    case Status::Absent:
        return QStringLiteral("Absent");
    case Status::Ready:
        return QStringLiteral("Ready");
    case Status::PinRequired:
        return QStringLiteral("PinRequired");
    case Status::PukRequired:
        return QStringLiteral("PukRequired");
    case Status::Blocked:
        return QStringLiteral("Blocked");
    }
    return QString();
}

} // namespace halvex
