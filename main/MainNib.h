#pragma once

#include "app/msgcenter/JOVMsgCenter.h"

// The objects of the main nib: made when the application starts, then woken
// up in order. Feature controllers join here as they are built.
class MainNib
{
public:
    MainNib();
    void awakeFromNib();

    JOVMsgCenter& jovMsgCenter() { return jovMsgCenter_; }

private:
    JOVMsgCenter jovMsgCenter_;
};
