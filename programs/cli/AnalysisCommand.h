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
};

// --volatility: "implied" (each call's from its premium, the default) or a
// number, one volatility for every call; an error text when it is neither.
QString applyVolatilityOption(const QString &value, AnalysisOptions &options);

// The inputs for these legs: the options, with the position's stock price
// where none was given (the spreads have none).
AnalysisInputs analysisInputs(const AnalysisOptions &options, const Legs &legs);

// The inputs, the legs with their volatilities, the figures, the curves at
// 201 prices over the automatic price range and the P/L grid. Inputs must
// be sound.
QJsonObject analysisReport(const Legs &legs, const AnalysisInputs &inputs);

// Writes the analysis chart (.png, .svg or .pdf) under `title`, the
// position in short (positionTitle(); the legs alone when empty); an error
// text, empty when written.
QString writeAnalysisChart(
    const Legs &legs, const AnalysisInputs &inputs, const QString &file, const QString &title = {});

} // namespace velmora
