#include "platform/ns/appkit/Beep.h"

#include <QApplication>

namespace ns
{

void beep()
{
    QApplication::beep();
}

} // namespace ns
