#pragma once
// Butterfly Spreads: n calls bought at K1, 2n sold at K2 and n bought at
// K3 = 2 × K2 − K1. The branch (butterflySpreadsChart) draws a position
// bought for a net debit or for nothing itself and hands one taken in for a
// net credit to butterflyGraphForPositiveValue.
//
// The branch runs with run-time faults suppressed: a figure that overflows is
// not available (NaN) and nothing derived from it is printed, a drawing step
// that faults is skipped, and a fault inside butterflyGraphForPositiveValue or
// the debit chart's fifth table row ends that procedure while the branch goes
// on after the call.

#include "strategies/ChartRequest.h"

namespace velmora
{

struct ButterflyPosition {
    double k1 = 0, p1 = 0, n1 = 0; // Text6(3), Text6(4), Text6(5)
    double k2 = 0, p2 = 0, n2 = 0; // Text7(1), Text7(2), Text7(3)
    double k3 = 0, p3 = 0, n3 = 0; // Text8(1), Text8(2), Text8(3)

    static ButterflyPosition read(const Workspace &fields);
    // A figure of the chart: the value when finite, otherwise NaN, "not
    // available", which the pen refuses to print.
    static double figure(double value);
    // Sets leg1Value, leg2Value, leg3Value and totalValue for the price x.
    void setRow(ChartMemory &memory, double x) const;
};

// The whole chart of a net-credit butterfly, in regular type and without the
// disclaimer. Expects netCredit and netPremium to be set.
void butterflyGraphForPositiveValue(StrategyContext &context);

} // namespace velmora
