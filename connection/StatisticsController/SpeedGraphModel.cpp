#include "connection/StatisticsController/SpeedGraphModel.h"

#include <algorithm>

namespace
{

constexpr float kRulerStep = 60;
constexpr float kMegabyte = 1024;
// Space right of the plot and above it.
constexpr double kRightMargin = 10;
constexpr double kTopMargin = 10;

} // namespace

SpeedGraphModel::SpeedGraphModel()
{
    for (int i = 0; i < kRulerSteps; ++i)
        ruler_[std::size_t(i)] = kRulerStep * float(i + 1);
}

void SpeedGraphModel::setSpeedPointSend(float send, float receive, bool unitChange)
{
    pointCount_ = pointCount_ + 1 <= kMaxPoints - 1 ? pointCount_ + 2 : kMaxPoints;
    const float top = ruler_.back();
    send = std::min(send, top);
    receive = std::min(receive, top);
    unitFlag_ = unitChange && (send > kMegabyte || receive > kMegabyte);
    if (unitFlag_) {
        send /= kMegabyte;
        receive /= kMegabyte;
    }
    maxUp_ = send;
    maxDown_ = receive;
    for (int i = pointCount_ - 1; i > 0; --i) {
        const auto to = std::size_t(i);
        upSpeeds_[to] = upSpeeds_[to - 1];
        downSpeeds_[to] = downSpeeds_[to - 1];
        maxUp_ = std::max(maxUp_, upSpeeds_[to]);
        maxDown_ = std::max(maxDown_, downSpeeds_[to]);
    }
    upSpeeds_[0] = send;
    downSpeeds_[0] = receive;
    computeScale();
    computePoints();
}

void SpeedGraphModel::setUndisplay()
{
    pointCount_ = 0;
    upSpeeds_.fill(0);
    downSpeeds_.fill(0);
    upPoints_.fill(QPointF());
    downPoints_.fill(QPointF());
    computePoints();
}

void SpeedGraphModel::setViewSize(double width, double height)
{
    plotWidth_ = width - kLeftMargin - kRightMargin;
    plotHeight_ = height - kBottomMargin - kTopMargin;
}

std::array<float, 13> SpeedGraphModel::labelValues() const
{
    std::array<float, 13> values{};
    const float step = scaleTop() / 12;
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = float(k) * step;
    return values;
}

void SpeedGraphModel::computeScale()
{
    const auto fits = std::find_if(ruler_.begin(), ruler_.end(),
                                   [this](float step) { return step >= maxUp_ && step >= maxDown_; });
    rulerPosition_ = fits == ruler_.end() ? kRulerSteps - 1 : int(fits - ruler_.begin());
}

void SpeedGraphModel::computePoints()
{
    const double xStep = (plotWidth_ + 10) / kMaxPoints;
    const double scale = plotHeight_ / double(scaleTop());
    const double left = kLeftMargin + (plotWidth_ - xStep * pointCount_) + 5;
    for (int i = pointCount_ - 1; i >= 0; --i) {
        const auto at = std::size_t(i);
        const double x = left + (pointCount_ - 1 - i) * xStep;
        upPoints_[at] = QPointF(x, scale * double(upSpeeds_[at]) + kBottomMargin);
        downPoints_[at] = QPointF(x, scale * double(downSpeeds_[at]) + kBottomMargin);
    }
}
