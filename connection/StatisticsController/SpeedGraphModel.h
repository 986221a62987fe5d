#pragma once

#include <QPointF>

#include <array>

// What the live speed graph draws, without a window: the last upload and
// download speeds (index 0 the newest), the scale chosen from a ladder of 120
// steps and the vertices of the two lines in view coordinates (y up).
//
// The sample count rises by two per sample (2, 4 ... 50), so the lines run
// over as many places again as there are samples, the older half at zero;
// the graph has always been drawn that way and keeps it.
class SpeedGraphModel
{
public:
    static constexpr int kMaxPoints = 50;
    static constexpr int kRulerSteps = 120;
    static constexpr int kLeftMargin = 35;
    static constexpr int kBottomMargin = 30;

    SpeedGraphModel();

    // Adds one sample in the caller's unit (KB/s by default) and recomputes the
    // points. With unitChange on, a speed above 1024 turns the sample into
    // MB/s; otherwise the unit goes back to KB/s. Stored samples keep their unit.
    void setSpeedPointSend(float send, float receive, bool unitChange);
    // Forgets every sample and recomputes the (empty) points.
    void setUndisplay();

    // The plot area, known from the last drawing: the view's size less the margins.
    void setViewSize(double width, double height);
    double plotWidth() const { return plotWidth_; }
    double plotHeight() const { return plotHeight_; }

    int pointCount() const { return pointCount_; }
    float upSpeed(int index) const { return upSpeeds_.at(index); }
    float downSpeed(int index) const { return downSpeeds_.at(index); }
    QPointF upPoint(int index) const { return upPoints_.at(index); }
    QPointF downPoint(int index) const { return downPoints_.at(index); }
    // True while the newest sample is in MB/s.
    bool inMegabytes() const { return unitFlag_; }

    int rulerPosition() const { return rulerPosition_; }
    // The top of the scale: the ruler's entry at its position.
    float scaleTop() const { return ruler_.at(rulerPosition_); }
    // The 13 label values from 0 to the top of the scale.
    std::array<float, 13> labelValues() const;

private:
    void computeScale();
    void computePoints();

    std::array<float, kRulerSteps> ruler_{};
    std::array<float, kMaxPoints> upSpeeds_{};
    std::array<float, kMaxPoints> downSpeeds_{};
    std::array<QPointF, kMaxPoints> upPoints_{};
    std::array<QPointF, kMaxPoints> downPoints_{};
    int pointCount_ = 0;
    int rulerPosition_ = 1;
    float maxUp_ = 0;
    float maxDown_ = 0;
    double plotWidth_ = 0;
    double plotHeight_ = 0;
    bool unitFlag_ = false;
};
