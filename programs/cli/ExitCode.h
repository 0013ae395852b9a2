#pragma once
// The exit status of velmora-chart, shared by its chart and store steps so
// that a script reads one meaning per number.

namespace velmora::ExitCode
{
constexpr int Done = 0; // a chart was drawn, or only store options were given
constexpr int Refused = 1; // a check, a clashing or unknown name, or no strategy selected
constexpr int Usage = 2; // the arguments could not be read
constexpr int Unusable = 3; // the position file or the output file could not be used
} // namespace velmora::ExitCode
