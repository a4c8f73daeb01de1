// Building the cell index of the level's points.
#include "scene/point_grid.h"

#include <algorithm>
#include <cstring>

#include "scene/scene_points.h"

PointGrid pointGrid;

namespace {

constexpr size_t kCells = static_cast<size_t>(kGridColumns) * kGridRows;
// Each point is listed under at most nine cells; the offsets are 16-bit.
static_assert(9 * kMaxPoints <= 65535);

uint32_t bitsOf(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// Compared bit for bit: a NaN equals itself and -0 differs from 0, so equal
// bits always mean equal isNear results.
bool sameAsIndexed(const Level& level, int count) {
    const PointGrid& g = pointGrid;
    if (count != g.count) return false;
    const float* at = g.positions.data();
    for (int j = 0; j < count; ++j) {
        const Vector& v = level.points[static_cast<size_t>(j)];
        if (bitsOf(v.x) != bitsOf(at[2 * j]) || bitsOf(v.y) != bitsOf(at[2 * j + 1])) return false;
    }
    return true;
}

bool onTheCells(const Vector& v) {
    constexpr float kRight = kGridLeft + kGridCell * kGridColumns;
    constexpr float kBottom = kGridTop + kGridCell * kGridRows;
    // False for NaN.
    return v.x >= kGridLeft && v.x < kRight && v.y >= kGridTop && v.y < kBottom;
}

// Calls add(cell) for every cell whose samples v can be near: the cells
// around v that lie within 6 of it on both axes (isNear reaches 5 and a
// rounding beyond; a sample's cell is the one its coordinates fall in, or the
// border cell for a sample beyond the border). 6 is less than a cell, so
// these are among v's own cell and its 8 neighbours.
template <typename Add>
void forEachNeighbourCell(const Vector& v, Add&& add) {
    constexpr float kReach = 6.0f;
    const int column = gridCellOf(v.x, kGridLeft, kGridColumns);
    const int row = gridCellOf(v.y, kGridTop, kGridRows);
    for (int r = std::max(row - 1, 0); r <= std::min(row + 1, kGridRows - 1); ++r) {
        const float top = kGridTop + float(kGridCell * r);
        if (r > 0 && v.y < top - kReach) continue;
        if (r < kGridRows - 1 && v.y > top + float(kGridCell) + kReach) continue;
        for (int c = std::max(column - 1, 0); c <= std::min(column + 1, kGridColumns - 1); ++c) {
            const float left = kGridLeft + float(kGridCell * c);
            if (c > 0 && v.x < left - kReach) continue;
            if (c < kGridColumns - 1 && v.x > left + float(kGridCell) + kReach) continue;
            add(static_cast<size_t>(r) * kGridColumns + static_cast<size_t>(c));
        }
    }
}

}  // namespace

void refreshPointGrid(const Level& level) {
    const int count = levelPointCount(level);
    if (sameAsIndexed(level, count)) return;

    PointGrid& g = pointGrid;
    g.count = count;
    g.positions.resize(2 * static_cast<size_t>(count));
    g.cellStart.assign(kCells + 1, 0);
    g.inside.clear();
    g.outside.clear();

    // Counting sort by cell, each point under its own cell and its
    // neighbours': count, take prefix sums, then place.
    for (int j = 0; j < count; ++j) {
        const Vector& v = level.points[static_cast<size_t>(j)];
        g.positions[2 * static_cast<size_t>(j)] = v.x;
        g.positions[2 * static_cast<size_t>(j) + 1] = v.y;
        if (onTheCells(v)) {
            forEachNeighbourCell(v, [&](size_t cell) { ++g.cellStart[cell + 1]; });
        } else {
            g.outside.push_back(GridPoint{v.x, v.y, static_cast<uint16_t>(j)});
        }
    }
    for (size_t c = 0; c < kCells; ++c) g.cellStart[c + 1] += g.cellStart[c];
    g.inside.resize(g.cellStart[kCells]);
    std::vector<uint16_t> next(g.cellStart.begin(), g.cellStart.end() - 1);
    for (int j = 0; j < count; ++j) {
        const Vector& v = level.points[static_cast<size_t>(j)];
        if (!onTheCells(v)) continue;
        forEachNeighbourCell(
            v, [&](size_t cell) { g.inside[next[cell]++] = static_cast<uint16_t>(j); });
    }
}

int nearPointsInOrder(Vector p, uint16_t* out) {
    int n = 0;
    forEachNearPoint(p, [&](int j) {
        // Insertion keeps the list sorted; a sample is near a handful of
        // points at most.
        int k = n++;
        while (k > 0 && out[k - 1] > j) {
            out[k] = out[k - 1];
            --k;
        }
        out[k] = static_cast<uint16_t>(j);
    });
    return n;
}
