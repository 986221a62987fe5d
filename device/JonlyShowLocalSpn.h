#pragma once

#include "device/JspnShowBase.h"

// The local name alone.
class JonlyShowLocalSpn : public JspnShowBase
{
public:
    using JspnShowBase::JspnShowBase;
    QString getHomeSpn() const override;
};
