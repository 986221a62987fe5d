#pragma once

#include <deque>

// What the live speed graph shows: the last upload and download speeds of
// the running connection, newest first, at most 50 of each, in the unit the
// caller feeds. The graph's drawing and its scale come with the graph view.
class SpeedSamples
{
public:
    static constexpr int kMaxSamples = 50;

    // Adds one sample; the oldest goes beyond 50.
    void setSpeedPointSend(float send, float receive);
    // Forgets every sample.
    void setUndisplay();

    int count() const { return int(up_.size()); }
    // Sample index (0 the newest).
    float upSpeed(int index) const { return up_.at(index); }
    float downSpeed(int index) const { return down_.at(index); }

private:
    std::deque<float> up_;
    std::deque<float> down_;
};
