#pragma once
// velmora-chart keeps its window in a module of its own, loaded only when a
// window is needed, so that a listing of saved names starts without loading
// any graphics library.

#include "programs/cli/ChartCommand.h"

namespace velmora
{

// Next to the program: velmora-chart-window.so.
constexpr char kChartWindowModule[] = "velmora-chart-window.so";
constexpr char kChartWindowEntry[] = "velmoraChartWindow";

// Builds the application and the main window, runs the command and fills
// `output`; returns nothing of its own.
using ChartWindowEntry = void (*)(
    int &argc, char **argv, const ChartCommandOptions &options, ChartCommandOutput &output);

} // namespace velmora
