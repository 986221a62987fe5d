#include "app/ui/status/FrameHandoff.h"

void FrameHandoff::post(std::function<void()> apply)
{
    QMetaObject::invokeMethod(
        receiver_,
        [this, run = run_.load(), apply = std::move(apply)] {
            if (run == run_.load())
                apply();
        },
        Qt::QueuedConnection);
}
