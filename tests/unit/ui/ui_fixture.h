// Shared set-up for the menu, help page, row picking and chooser tests: a
// fresh headless host with the start-up colours, coded levels, scripted input
// and a scratch working directory.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "level/level_set.h"
#include "platform/cp1251.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/mouse_state.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "text/key_map.h"
#include "text/stroke_font.h"
#include "ui/chooser.h"
#include "ui/menu.h"
#include "ui/row_pick.h"

class UiTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        clearInputQueues();
        resetDisplayState();
        openWindow();
        setForeground(0);
        setBackground(15);
        drawPage = 0;
        resetLevelSet();
        editorMode = false;
        puzzleFileName.clear();
        menuPage = chooserPage = 0;
        leftLatch = rightLatch = 0;
        buildKeyMap();
        char dir[] = "/tmp/orvet-ui-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        scratch = dir;
        oldDir = std::filesystem::current_path();
        std::filesystem::current_path(scratch);
    }
    void TearDown() override {
        std::filesystem::current_path(oldDir);
        std::filesystem::remove_all(scratch);
        clearInputQueues();
    }

    // n levels coded "L0", "L1", ..., all listed in index order.
    static void openLevels(int n) {
        levels.resize(size_t(n));
        levelList.clear();
        for (int i = 0; i < n; ++i) {
            levels[size_t(i)].code = "L" + std::to_string(i);
            levelList.push_back(uint16_t(i));
        }
    }
    // Runs a script from time 0 (a click holds the button for 50 ms).
    static void play(const std::string& text) {
        headlessReset();
        std::string error;
        ASSERT_TRUE(headlessLoadScript(text, error)) << error;
    }
    static void touch(const std::string& name) { std::ofstream(name) << "x"; }
    static std::vector<std::string> listing() {
        std::vector<std::string> names;
        for (std::string n = listFirstPuzzleFile(); !n.empty(); n = listNextPuzzleFile())
            names.push_back(n);
        return names;
    }
    // Pixels inside screen row r, leaving out its border (hover) lines.
    static std::vector<uint8_t> rowPixels(int page, int r) {
        std::vector<uint8_t> out;
        for (int y = 30 * r + 1; y <= 30 * r + 29; ++y)
            for (int x = 0; x < kScreenWidth; ++x) out.push_back(pixelAt(page, x, y));
        return out;
    }
    static int rowInk(int page, int r) {
        int n = 0;
        for (uint8_t c : rowPixels(page, r)) n += c != 15;
        return n;
    }
    // Whether every ink pixel of row r has colour c (and there is some).
    static bool rowInkIs(int page, int r, int c) {
        int n = 0;
        for (uint8_t p : rowPixels(page, r)) {
            if (p != 15 && p != c) return false;
            n += p == c;
        }
        return n > 0;
    }
    // Row r holds exactly the page line "страна <page>" with its - and +.
    static bool showsPageLine(int r, int page) {
        const std::vector<uint8_t> shown = rowPixels(workPage(), r);
        clearPage();
        drawText(245, int16_t(30 * r + 25), *utf8ToCp1251("страна " + std::to_string(page)), 16);
        drawText(20, int16_t(30 * r + 25), "-", 16);
        drawText(620, int16_t(30 * r + 25), "+", 16);
        return rowPixels(workPage(), r) == shown;
    }

    std::filesystem::path oldDir, scratch;
};
