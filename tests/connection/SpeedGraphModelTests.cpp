#include "connection/StatisticsController/SpeedGraphModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

struct Sample {
    float up;
    float down;
};

struct IntakeCase {
    const char* what;
    std::vector<Sample> samples;
    bool unitChange;
    int count;
    float scaleTop;
    Sample newest;
    bool megabytes;
};

SpeedGraphModel fed(const std::vector<Sample>& samples, bool unitChange)
{
    SpeedGraphModel model;
    for (const Sample& sample : samples)
        model.setSpeedPointSend(sample.up, sample.down, unitChange);
    return model;
}

} // namespace

TEST(SpeedGraphModel, TakesSamplesIntoCountScaleAndUnit)
{
    const IntakeCase cases[] = {
        {"the first sample counts two", {{0, 0}}, false, 2, 60, {0, 0}, false},
        {"the second sample counts four", {{10, 20}, {30, 40}}, false, 4, 60, {30, 40}, false},
        {"the count stops at fifty", std::vector<Sample>(30, {1, 1}), false, 50, 60, {1, 1}, false},
        {"zeros keep the first ruler step", {{0, 0}, {0, 0}}, false, 4, 60, {0, 0}, false},
        {"a step is taken when reached", {{60, 0}, {0, 61}}, false, 4, 120, {0, 61}, false},
        {"3000 KB/s scales to 3000", {{3000, 10}}, false, 2, 3000, {3000, 10}, false},
        {"8000 is cut to the last step", {{10, 8000}}, false, 2, 7200, {10, 7200}, false},
        {"2048 with the switch is 2.0 MB/s", {{2048, 100}}, true, 2, 60, {2, 100.0f / 1024}, true},
        {"500 switches back to KB/s", {{2048, 100}, {500, 500}}, true, 4, 540, {500, 500}, false},
        {"2048 without the switch stays in KB/s", {{2048, 100}}, false, 2, 2100, {2048, 100}, false},
    };
    for (const IntakeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SpeedGraphModel model = fed(c.samples, c.unitChange);
        EXPECT_EQ(model.pointCount(), c.count);
        EXPECT_EQ(model.scaleTop(), c.scaleTop);
        EXPECT_FLOAT_EQ(model.upSpeed(0), c.newest.up);
        EXPECT_FLOAT_EQ(model.downSpeed(0), c.newest.down);
        EXPECT_EQ(model.inMegabytes(), c.megabytes);
    }
}

TEST(SpeedGraphModel, OlderSamplesMoveBackAndKeepTheirUnit)
{
    const SpeedGraphModel model = fed({{2048, 0}, {500, 0}, {30, 0}}, true);
    EXPECT_FLOAT_EQ(model.upSpeed(0), 30);
    EXPECT_FLOAT_EQ(model.upSpeed(1), 500);
    EXPECT_FLOAT_EQ(model.upSpeed(2), 2); // stored in MB/s
    // The largest shown sample sets the scale, whatever the unit it came in.
    EXPECT_EQ(model.scaleTop(), 540);
}

TEST(SpeedGraphModel, LabelsRunFromZeroToTheTopInTwelfths)
{
    const auto labels = fed({{3000, 0}}, false).labelValues();
    for (std::size_t k = 0; k < labels.size(); ++k)
        EXPECT_FLOAT_EQ(labels[k], 250.0f * float(k)) << k;
    EXPECT_FLOAT_EQ(labels.back(), 3000);
}

TEST(SpeedGraphModel, PointsPutTheNewestSampleAtTheRight)
{
    SpeedGraphModel model;
    model.setViewSize(400, 200); // a plot of 355 x 160 above and right of the margins
    model.setSpeedPointSend(60, 30, false);
    model.setSpeedPointSend(15, 0, false);
    const double xStep = (355.0 + 10) / 50;
    // Four places for two samples: the oldest two are the zeros before them.
    ASSERT_EQ(model.pointCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(model.upPoint(i).x(), 35 + 355 - xStep * 4 + (3 - i) * xStep + 5, 1e-9) << i;
    EXPECT_DOUBLE_EQ(model.upPoint(0).y(), 30 + 160.0 / 60 * 15);
    EXPECT_DOUBLE_EQ(model.upPoint(1).y(), 30 + 160.0);
    EXPECT_DOUBLE_EQ(model.downPoint(1).y(), 30 + 80.0);
    EXPECT_DOUBLE_EQ(model.upPoint(3).y(), 30);
}

TEST(SpeedGraphModel, UndisplayForgetsTheSamples)
{
    SpeedGraphModel model = fed({{100, 200}, {300, 400}}, false);
    model.setUndisplay();
    EXPECT_EQ(model.pointCount(), 0);
    EXPECT_EQ(model.upSpeed(0), 0);
    EXPECT_EQ(model.downSpeed(1), 0);
    model.setSpeedPointSend(5, 5, false);
    EXPECT_EQ(model.pointCount(), 2);
    EXPECT_EQ(model.upSpeed(1), 0);
}
