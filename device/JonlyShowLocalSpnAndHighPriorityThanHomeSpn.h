#pragma once

#include "device/JonlyShowLocalSpn.h"

// One name in the local place: the local name when there is one, else the home name.
class JonlyShowLocalSpnAndHighPriorityThanHomeSpn : public JonlyShowLocalSpn
{
public:
    using JonlyShowLocalSpn::JonlyShowLocalSpn;
    QString getLocalSpn() const override;
};
