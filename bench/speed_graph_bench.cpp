// One drawing of the live speed graph: 50 samples on a 400 x 200 view, drawn
// into an offscreen image as the Internet view draws it.
#include "app/config/ConfigManager.h"
#include "bench/OffscreenMain.h"
#include "connection/StatisticsController/statisticsView.h"
#include "platform/ns/appkit/GraphicsContext.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

void BM_SpeedGraphDrawRect(benchmark::State& state)
{
    ConfigManager settings;
    statisticsView view(ns::Rect(0, 0, 400, 200), settings);
    QImage image(400, 200, QImage::Format_ARGB32_Premultiplied);
    {
        // The first drawing gives the plot its size; the samples then fall on it.
        QPainter painter(&image);
        ns::GraphicsContext context(painter, 200, false);
        view.drawRect(view.bounds());
    }
    for (int i = 0; i < 50; ++i)
        view.setSpeedPointSend(float(400 + 300 * std::sin(i / 4.0)), float(1500 + 900 * std::cos(i / 6.0)));
    for (auto _ : state) {
        QPainter painter(&image);
        ns::GraphicsContext context(painter, 200, false);
        view.drawRect(view.bounds());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SpeedGraphDrawRect)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
