#pragma once

#include "device/JonlyShowLocalSpn.h"

// A fixed text in the local name's place, and no home name.
class JonlyShowFixedLocalSpn : public JonlyShowLocalSpn
{
public:
    using JonlyShowLocalSpn::JonlyShowLocalSpn;
    QString getLocalSpn() const override;
};
