#pragma once

// The main function of a benchmark program that builds windows: they are
// made on the offscreen platform, under an application object.
#include <QApplication>

#include <benchmark/benchmark.h>

inline int runOffscreenBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
