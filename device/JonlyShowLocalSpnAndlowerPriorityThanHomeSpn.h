#pragma once

#include "device/JonlyShowLocalSpn.h"

// One name in the local place: the home name when there is one, else the local name.
class JonlyShowLocalSpnAndlowerPriorityThanHomeSpn : public JonlyShowLocalSpn
{
public:
    using JonlyShowLocalSpn::JonlyShowLocalSpn;
    QString getLocalSpn() const override;
};
