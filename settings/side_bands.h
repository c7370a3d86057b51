// The open bands along the edges that the side zones cover: `sideLength`
// percent of each edge, centred. One computation for the bands kept beside
// the settings, the engine's zones on each monitor and the preview: plain
// arithmetic, at the lowest layer that uses it.
#pragma once

#include <cmath>
#include <cstdint>

namespace vorn {

struct SideBands {
    std::int32_t xLow;
    std::int32_t xHigh;
    std::int32_t yLow;
    std::int32_t yHigh;
};

// Where a band starts along an edge of `edgeLength` pixels; it ends as far
// from the other end.
inline std::int32_t SideBandStart(int edgeLength, int sideLength)
{
    return static_cast<std::int32_t>(std::trunc(edgeLength * ((100 - sideLength) / 200.0)));
}

inline SideBands SideBandsOf(int width, int height, int sideLength)
{
    const std::int32_t xLow = SideBandStart(width, sideLength);
    const std::int32_t yLow = SideBandStart(height, sideLength);
    return SideBands{xLow, width - xLow, yLow, height - yLow};
}

}  // namespace vorn
