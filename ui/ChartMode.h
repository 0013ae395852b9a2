#pragma once
// Where the chart sits in the main window while it is shown.

namespace velmora
{

// Window size in chart mode, twips.
namespace ChartMode
{
constexpr int WindowWidth = 16400;
constexpr int WindowHeight = 11200;
constexpr int SurfaceLeft = 60;
constexpr int SurfaceTop = 105;
} // namespace ChartMode

} // namespace velmora
