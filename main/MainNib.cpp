#include "main/MainNib.h"

MainNib::MainNib() = default;

void MainNib::awakeFromNib()
{
    jovMsgCenter_.awakeFromNib();
    // The device server runs from the start; the application delegate takes
    // over restarting it when it joins the nib.
    jovMsgCenter_.startMsgServer();
}
