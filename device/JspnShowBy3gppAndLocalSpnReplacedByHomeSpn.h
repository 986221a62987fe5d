#pragma once

#include "device/JspnShowBy3gpp.h"

// The home name by the 3GPP rule, and the home name again in the local name's place.
class JspnShowBy3gppAndLocalSpnReplacedByHomeSpn : public JspnShowBy3gpp
{
public:
    using JspnShowBy3gpp::JspnShowBy3gpp;
    QString getLocalSpn() const override;
};
