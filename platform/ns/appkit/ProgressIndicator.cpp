#include "platform/ns/appkit/ProgressIndicator.h"

#include <QProgressBar>

#include <algorithm>
#include <cmath>

namespace ns
{

namespace
{

// Steps of the Qt bar over the whole range.
constexpr int kSteps = 1000;

} // namespace

ProgressIndicator::ProgressIndicator(const Rect& frame) : View(frame), bar_(new QProgressBar(this))
{
    bar_->setGeometry(rect());
    bar_->setTextVisible(false);
    updateBar();
}

ProgressIndicator::~ProgressIndicator() = default;

void ProgressIndicator::setMinValue(double value)
{
    minValue_ = value;
    setDoubleValue(value_);
}

void ProgressIndicator::setMaxValue(double value)
{
    maxValue_ = value;
    setDoubleValue(value_);
}

void ProgressIndicator::setDoubleValue(double value)
{
    value_ = std::isnan(value) ? minValue_ : std::clamp(value, minValue_, std::max(minValue_, maxValue_));
    updateBar();
}

void ProgressIndicator::setIndeterminate(bool indeterminate)
{
    indeterminate_ = indeterminate;
    updateBar();
}

void ProgressIndicator::startAnimation(Object*)
{
    animating_ = true;
    updateBar();
}

void ProgressIndicator::stopAnimation(Object*)
{
    animating_ = false;
    updateBar();
}

void ProgressIndicator::updateBar()
{
    // A busy Qt bar has an empty range; an indeterminate bar at rest shows empty.
    if (indeterminate_) {
        bar_->setRange(0, animating_ ? 0 : kSteps);
        bar_->setValue(0);
        return;
    }
    bar_->setRange(0, kSteps);
    const double span = maxValue_ - minValue_;
    const double fraction = span > 0 ? (value_ - minValue_) / span : 0;
    bar_->setValue(int(std::lround(fraction * kSteps)));
}

void ProgressIndicator::resizeEvent(QResizeEvent*)
{
    bar_->setGeometry(rect());
}

} // namespace ns
