// Shared set-up for the play and start-up tests: a fresh headless host, an
// empty level set and the pointer state of a new run.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "app/flight.h"
#include "app/game.h"
#include "app/pointer.h"
#include "geometry/path.h"
#include "level/level_set.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "ui/row_pick.h"

class AppTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        clearInputQueues();
        resetDisplayState();
        resetGameState();
    }

    void TearDown() override {
        clearInputQueues();
        resetDisplayState();
    }

    // The pointer as the main loop would have read it.
    static void pointerAt(int x, int y, int buttons) {
        mouseX = x;
        mouseY = y;
        mouseButtons = buttons;
        mouseFailed = buttons == -1 ? -1 : 0;
    }

    static Vector at(float x, float y, int8_t flag = 0) {
        Vector v;
        v.x = x;
        v.y = y;
        v.flag = flag;
        return v;
    }

    // Fills the current level's path slot by slot.
    static void setPath(std::initializer_list<std::pair<float, float>> slots) {
        Path& path = thisLevel().paths;
        path = Path{};
        int k = 0;
        for (const auto& [x, y] : slots) path.slots[k++] = at(x, y);
        path.lastSlot = static_cast<uint8_t>(k - 1);
    }

    // Points with their letters.
    static void setPoints(std::initializer_list<std::pair<Vector, uint8_t>> points) {
        Level& level = thisLevel();
        level.setPointCount(static_cast<int>(points.size()));
        int j = 0;
        for (const auto& [p, letter] : points) {
            level.points[j] = p;
            level.points[j].flag = static_cast<int8_t>(letter);
            ++j;
        }
    }

    // One straight segment from (100, 100) to (400, 100) whose x grows
    // evenly with the curve parameter: x = 100 + 300 u.
    static void straightPath() { setPath({{100, 100}, {200, 100}, {400, 100}, {500, 100}}); }
};
