#pragma once
// velmora-chart --analysis: the analysis of the position on screen after a
// chart was drawn. Takes plain option values, so any argument parser can
// fill AnalysisOptions.

#include "strategies/Leg.h"
#include "strategies/PositionAnalysis.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace velmora
{

struct AnalysisOptions {
    bool enabled = false;
    AnalysisInputs inputs; // the stock price is the position's unless given
    bool stockPriceGiven = false;
};

// The inputs for these legs: the options, with the position's stock price
// where none was given.
AnalysisInputs analysisInputs(const AnalysisOptions &options, const Legs &legs);

// The legs, the figures and the three curves at 201 prices over the
// automatic price range. Inputs must be sound.
QJsonObject analysisReport(const Legs &legs, const AnalysisInputs &inputs);

// Writes the analysis chart (.png, .svg or .pdf); an error text, empty when written.
QString writeAnalysisChart(const Legs &legs, const AnalysisInputs &inputs, const QString &file);

} // namespace velmora
