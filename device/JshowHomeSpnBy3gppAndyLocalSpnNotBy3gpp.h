#pragma once

#include "device/JspnShowBy3gpp.h"

// The home name by the 3GPP rule; the local name always.
class JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp : public JspnShowBy3gpp
{
public:
    using JspnShowBy3gpp::JspnShowBy3gpp;
    QString getLocalSpn() const override;
};
