#pragma once

#include "device/JspnShowBase.h"

// The 3GPP display rule of the SIM's service provider name: the display
// condition's bit 2 hides the home name away from the home and friendly
// networks, and a clear bit 1 hides the local name in them.
class JspnShowBy3gpp : public JspnShowBase
{
public:
    using JspnShowBase::JspnShowBase;
    QString getHomeSpn() const override;
    QString getLocalSpn() const override;
};
