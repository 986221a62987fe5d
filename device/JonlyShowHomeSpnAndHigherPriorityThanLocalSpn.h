#pragma once

#include "device/JonlyShowHomeSpn.h"

// The home name alone, empty when the SIM has none.
class JonlyShowHomeSpnAndHigherPriorityThanLocalSpn : public JonlyShowHomeSpn
{
public:
    using JonlyShowHomeSpn::JonlyShowHomeSpn;
    QString getHomeSpn() const override;
};
