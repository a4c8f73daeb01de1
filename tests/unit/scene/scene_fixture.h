// Shared set-up for the scene tests: a fresh headless host with the start-up
// colours, an empty level set and a counting solved hook.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "level/level_set.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "scene/scene.h"

inline int solvedCalls = 0;

class SceneTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        resetDisplayState();
        openWindow();
        setForeground(0);
        setBackground(15);
        drawPage = 0;
        resetLevelSet();
        editorMode = false;
        hitFlags.clear();
        spinAngle = 6.2831855f;
        spinTime = 0.0;
        mouseX = mouseY = 2000;  // far from everything
        solvedCalls = 0;
        levelSolvedHook = [] { ++solvedCalls; };
    }
    void TearDown() override { levelSolvedHook = nullptr; }

    static void setPath(Level& level, std::initializer_list<std::pair<float, float>> slots) {
        level.paths = Path{};
        int k = 0;
        for (const auto& [x, y] : slots) level.paths.slots[k++] = Vector{x, y, 0};
        level.paths.lastSlot = uint8_t(k - 1);
    }
    // One straight segment along y = 100 whose x is 1500 t: samples 15 apart.
    static void straight(Level& level) {
        setPath(level, {{0, 100}, {500, 100}, {1500, 100}, {2000, 100}});
    }
    static void setPoints(Level& level, std::initializer_list<std::pair<float, float>> points) {
        level.setPointCount(int(points.size()));
        int j = 0;
        for (const auto& [x, y] : points) level.points[j++] = Vector{x, y, 0};
    }
    static int inkIn(int page, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += pixelAt(page, x, y) != 15;
        return n;
    }
};
