// The index of the current level's points by screen cell, used by the curve's
// hit test and by the flight so that each sample is tested only against the
// points that can lie within 5 pixels of it. The index is rebuilt only when
// the points' positions differ from the ones last indexed.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/vector.h"
#include "level/level_set.h"

// The cells cover x in [kGridLeft, kGridLeft + 8 * kGridColumns) and y in
// [kGridTop, kGridTop + 8 * kGridRows): the screen with a wide border. Points
// outside (or with a NaN coordinate) are kept in a list tested every time.
constexpr float kGridLeft = -64.0f;
constexpr float kGridTop = -64.0f;
constexpr int kGridCell = 8;
constexpr int kGridColumns = 96;
constexpr int kGridRows = 76;

struct GridPoint {
    float x, y;
    uint16_t index;  // into the level's points
};

struct PointGrid {
    int count = 0;                    // points indexed: 0..count-1
    std::vector<float> positions;     // x and y of indexed point j at 2j and 2j + 1
    std::vector<uint16_t> cellStart;  // kGridColumns * kGridRows + 1 offsets into inside
    std::vector<uint16_t> inside;     // per cell, row by row: the points a sample in it can be near
    std::vector<GridPoint> outside;   // points off the cells
};

extern PointGrid pointGrid;

// Indexes points 0..levelPointCount(level) - 1 of level, unless those are
// exactly the points indexed already.
void refreshPointGrid(const Level& level);

// The cell column of x (or row of y, with kGridTop), limited to the cells.
// Monotonic in v, so the cells between colOf(a) and colOf(b) hold every
// inside point whose coordinate lies between a and b.
inline int gridCellOf(float v, float origin, int cells) {
    const int c = static_cast<int>((v - origin) * (1.0f / kGridCell));
    return c < 0 ? 0 : (c >= cells ? cells - 1 : c);
}

// Calls near(j) for every indexed point j that p isNear, in no set order.
template <typename Near>
inline void forEachNearPoint(Vector p, Near&& near) {
    const PointGrid& g = pointGrid;
    // isNear accepts at most 5 pixels (plus a rounding far below a pixel for
    // coordinates on the cells), so a point near p lies within 6 of it and
    // p's cell lists it; that also holds for p within 6 outside the cells,
    // taken to the cell at the border.
    constexpr float kReach = 6.0f;
    constexpr float kRight = kGridLeft + kGridCell * kGridColumns;
    constexpr float kBottom = kGridTop + kGridCell * kGridRows;
    if (p.x >= kGridLeft - kReach && p.x < kRight + kReach && p.y >= kGridTop - kReach &&
        p.y < kBottom + kReach && !g.inside.empty()) {
        const size_t cell =
            static_cast<size_t>(gridCellOf(p.y, kGridTop, kGridRows)) * kGridColumns +
            static_cast<size_t>(gridCellOf(p.x, kGridLeft, kGridColumns));
        const int first = g.cellStart[cell];
        const int last = g.cellStart[cell + 1];
        const float* at = g.positions.data();
        for (int e = first; e < last; ++e) {
            const int j = g.inside[static_cast<size_t>(e)];
            if (isNear(p, Vector{at[2 * j], at[2 * j + 1], 0})) near(j);
        }
    }
    for (const GridPoint& q : g.outside) {
        if (isNear(p, Vector{q.x, q.y, 0})) near(static_cast<int>(q.index));
    }
}

// The indexed points that p isNear, in increasing index order; returns how
// many were written to out (room for pointGrid.count entries).
int nearPointsInOrder(Vector p, uint16_t* out);
