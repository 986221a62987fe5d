#pragma once

#include "platform/ns/appkit/View.h"

class QProgressBar;

namespace ns
{

// A progress bar: a value between a minimum and a maximum (0 and 100 by
// default), or, when indeterminate, a busy bar while it is animated.
class ProgressIndicator : public View
{
public:
    explicit ProgressIndicator(const Rect& frame = Rect());
    ~ProgressIndicator() override;

    double minValue() const { return minValue_; }
    void setMinValue(double value);
    double maxValue() const { return maxValue_; }
    void setMaxValue(double value);
    double doubleValue() const { return value_; }
    // Kept between the minimum and the maximum.
    void setDoubleValue(double value);
    void incrementBy(double delta) { setDoubleValue(value_ + delta); }

    bool isIndeterminate() const { return indeterminate_; }
    void setIndeterminate(bool indeterminate);
    void startAnimation(Object* sender);
    void stopAnimation(Object* sender);
    bool isAnimating() const { return animating_; }

    // The Qt bar that shows the progress.
    QProgressBar* bar() const { return bar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateBar();

    QProgressBar* bar_;
    double minValue_ = 0;
    double maxValue_ = 100;
    double value_ = 0;
    bool indeterminate_ = false;
    bool animating_ = false;
};

} // namespace ns
