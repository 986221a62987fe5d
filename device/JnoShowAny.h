#pragma once

#include "device/JspnShowBase.h"

// Neither name.
class JnoShowAny : public JspnShowBase
{
public:
    using JspnShowBase::JspnShowBase;
    QString getHomeSpn() const override;
    QString getLocalSpn() const override;
};
