#pragma once

#include "device/JspnShowBase.h"

// The home name alone.
class JonlyShowHomeSpn : public JspnShowBase
{
public:
    using JspnShowBase::JspnShowBase;
    QString getLocalSpn() const override;
};
