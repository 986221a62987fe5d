#include "connection/SpeedSamples.h"

void SpeedSamples::setSpeedPointSend(float send, float receive)
{
    up_.push_front(send);
    down_.push_front(receive);
    if (count() > kMaxSamples) {
        up_.pop_back();
        down_.pop_back();
    }
}

void SpeedSamples::setUndisplay()
{
    up_.clear();
    down_.clear();
}
