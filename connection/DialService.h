#pragma once

#include "app/service/JovServiceBase.h"

class ConfigService;

// The connection's small display service: hides the link-local address a
// failed address assignment leaves, and holds the send speed.
class DialService : public JovServiceBase
{
public:
    static DialService& sharedDialService();

    explicit DialService(const ConfigService& switches);
    DialService(const DialService&) = delete;
    DialService& operator=(const DialService&) = delete;

    // The empty text for a link-local address ("169.254...") when the
    // settings ask to hide it; otherwise the address.
    QString filterIPAddress(const QString& address) const;

    float sendSpeed() const { return sendSpeed_; }
    void setSendSpeed(float speed) { sendSpeed_ = speed; }

private:
    const ConfigService& switches_;
    float sendSpeed_ = 0.0f;
};
