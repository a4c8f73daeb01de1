// The flier's visits, the spelled code and the paced flight.
#include <string>

#include "app_fixture.h"

namespace {

using FlightTest = AppTest;

// Windows-1251 letters.
constexpr uint8_t kKa = 0xEA;    // к
constexpr uint8_t kU = 0xF3;     // у
constexpr uint8_t kTshe = 0x9E;  // ћ
constexpr uint8_t kA = 0xE0;     // а
constexpr uint8_t kZhe = 0xE6;   // ж

TEST_F(FlightTest, OnePointPassedOnceEvenWhenManySamplesTouchIt) {
    straightPath();
    setPoints({{at(160, 100), 'x'}});
    collectVisits();
    ASSERT_EQ(visitList.size(), 1u);
    EXPECT_EQ(visitList[0].pointIndex, 0);
    // x = 154 at u = 0.18 is 6 px away; u = 0.19 gives 157.
    EXPECT_NEAR(visitList[0].position, 0.19, 1e-9);
}

TEST_F(FlightTest, SamplesStopBeforeTheSegmentEnd) {
    // 4 px past the end knot: only a sample at u = 1 would touch it, and the
    // double-precision steps end at 0.99 (x = 397).
    straightPath();
    setPoints({{at(404, 100), 'x'}, {at(401, 100), 'y'}});
    collectVisits();
    ASSERT_EQ(visitList.size(), 1u);
    EXPECT_EQ(visitList[0].pointIndex, 1);
}

TEST_F(FlightTest, SecondSegmentPositionsCountFromOne) {
    // On along the same line from (400, 100) to (550, 100).
    setPath({{100, 100}, {200, 100}, {400, 100}, {500, 100}, {550, 100}, {600, 100}});
    setPoints({{at(520, 100), 'y'}, {at(340, 100), 'x'}});
    collectVisits();
    ASSERT_EQ(visitList.size(), 2u);
    EXPECT_EQ(visitList[0].pointIndex, 1);
    EXPECT_LT(visitList[0].position, 1.0);
    EXPECT_EQ(visitList[1].pointIndex, 0);
    EXPECT_GE(visitList[1].position, 1.0);
    EXPECT_LT(visitList[1].position, 2.0);
}

TEST_F(FlightTest, TwoCloseTouchedPointsAlternate) {
    // Samples at x = 247, 250, 253, 256: the first point is near the first
    // three, the second near the last three.
    straightPath();
    setPoints({{at(250.5f, 100), 'a'}, {at(252.5f, 100), 'b'}});
    collectVisits();
    ASSERT_EQ(visitList.size(), 4u);
    EXPECT_EQ(visitList[0].pointIndex, 0);
    EXPECT_EQ(visitList[1].pointIndex, 1);
    EXPECT_EQ(visitList[2].pointIndex, 0);
    EXPECT_EQ(visitList[3].pointIndex, 1);
    EXPECT_NEAR(visitList[0].position, 0.49, 1e-9);
    EXPECT_NEAR(visitList[1].position, 0.50, 1e-9);
    EXPECT_NEAR(visitList[2].position, 0.51, 1e-9);
    EXPECT_NEAR(visitList[3].position, 0.51, 1e-9);
}

TEST_F(FlightTest, VisitListKeepsTheFirst501) {
    // Three segments that stand still on two coincident points: every sample
    // records both, 200 visits per segment.
    setPath({{100, 100},
             {100, 100},
             {100, 100},
             {100, 100},
             {100, 100},
             {100, 100},
             {100, 100},
             {100, 100}});
    setPoints({{at(100, 100), 'a'}, {at(100, 100), 'b'}});
    collectVisits();
    ASSERT_EQ(visitList.size(), static_cast<size_t>(kMaxVisits));
    EXPECT_EQ(visitList[0].pointIndex, 0);
    EXPECT_EQ(visitList[199].pointIndex, 1);
    EXPECT_EQ(visitList[500].pointIndex, 0);
    // Entry 500 is the 51st sample of the third segment.
    EXPECT_NEAR(visitList[500].position, 2.5, 1e-9);
    EXPECT_NEAR(visitList[199].position, 0.99, 1e-9);
}

TEST_F(FlightTest, PointAbove255SpellsItsOwnLetter) {
    straightPath();
    Level& level = thisLevel();
    level.setPointCount(300);
    for (int j = 0; j < 300; ++j) {
        level.points[j] = at(600, 400, 'q');
    }
    level.points[43].flag = 'w';  // what an 8-bit index 299 would name
    level.points[299] = at(160, 100, static_cast<int8_t>(kZhe));
    collectVisits();
    ASSERT_EQ(visitList.size(), 1u);
    EXPECT_EQ(visitList[0].pointIndex, 299);
    EXPECT_EQ(spellCode(1.0), std::string(1, static_cast<char>(kZhe)));
}

TEST_F(FlightTest, PointCountBeyondTheRecordIsNotRead) {
    straightPath();
    setPoints({{at(160, 100), 'x'}});
    thisLevel().lastPoint = 400;  // damaged: the record holds one point
    collectVisits();
    EXPECT_EQ(visitList.size(), 1u);
}

TEST_F(FlightTest, SpelledWordGrowsWithPosition) {
    straightPath();
    setPoints({{at(130, 100), kKa}, {at(190, 100), kU}, {at(250, 100), kTshe}, {at(310, 100), kA}});
    collectVisits();
    ASSERT_EQ(visitList.size(), 4u);

    // Strictly before: a point at exactly T is not spelled yet.
    EXPECT_EQ(spellCode(visitList[0].position), "");
    EXPECT_EQ(thisLevel().code, "");
    std::string previous;
    for (size_t i = 0; i < visitList.size(); ++i) {
        const std::string word = spellCode(visitList[i].position + 1e-6);
        EXPECT_EQ(word.size(), i + 1);
        EXPECT_EQ(word.substr(0, previous.size()), previous);
        previous = word;
    }
    EXPECT_EQ(spellCode(1.0), "\xEA\xF3\x9E\xE0");
    EXPECT_EQ(thisLevel().code, "\xEA\xF3\x9E\xE0");
}

TEST_F(FlightTest, NoVisitsRestoresBaseCode) {
    straightPath();
    setPoints({{at(100, 300), 'x'}, {at(200, 300), 'y'}});
    thisLevel().baseCode = "abc";
    thisLevel().code = "zzz";
    collectVisits();
    EXPECT_TRUE(visitList.empty());
    EXPECT_EQ(spellCode(5.0), "");
    EXPECT_EQ(thisLevel().code, "abc");
}

// Out along y = 100 past к у ћ а and back: а is passed twice in a row with
// no other point between, so it is spelled once.
const char* const kOutAndBack = "\xEA\xF3\x9E\xE0\x9E\xF3\xEA";

class FlyOverTest : public AppTest {
   protected:
    // Two segments: right along y = 100, then back to the left.
    void twoSegmentLevel() {
        setPath({{100, 100}, {200, 100}, {400, 100}, {500, 100}, {100, 100}, {200, 100}});
        setPoints(
            {{at(130, 100), kKa}, {at(190, 100), kU}, {at(250, 100), kTshe}, {at(310, 100), kA}});
        thisLevel().baseCode = "base";
        thisLevel().code = "base";
    }
};

TEST_F(FlyOverTest, OnePointOrNoSegmentStartsNoFlight) {
    straightPath();
    setPoints({{at(130, 100), 'x'}});
    thisLevel().code = "kept";
    visitList.push_back(Visit{7, 0.5});
    const double before = headlessNow();
    flyOver();
    EXPECT_DOUBLE_EQ(headlessNow(), before);
    EXPECT_EQ(thisLevel().code, "kept");
    ASSERT_EQ(visitList.size(), 1u);
    EXPECT_EQ(visitList[0].pointIndex, 7);

    setPath({{100, 100}, {200, 100}});  // one knot and its handle
    setPoints({{at(130, 100), 'x'}, {at(100, 100), 'y'}});
    flyOver();
    EXPECT_DOUBLE_EQ(headlessNow(), before);
    EXPECT_EQ(thisLevel().code, "kept");
}

TEST_F(FlyOverTest, TwoSegmentFlightTakesTenSecondsAndSpellsEveryPass) {
    twoSegmentLevel();
    const double start = headlessNow();
    flyOver();
    const double elapsed = headlessNow() - start;
    EXPECT_GE(elapsed, 10.0);
    EXPECT_LT(elapsed, 10.2);
    EXPECT_EQ(thisLevel().code, kOutAndBack);
    EXPECT_FALSE(programEnding());
    // Frames were shown: the visible page holds the word and the points.
    bool drawn = false;
    for (int y = 150; y < 260 && !drawn; ++y) {
        for (int x = 100; x < 400 && !drawn; ++x) {
            drawn = pixelAt(visiblePage(), x, y) != 15;
        }
    }
    EXPECT_TRUE(drawn);
}

TEST_F(FlyOverTest, EscapeStopsTheFlightAtOnce) {
    twoSegmentLevel();
    queueKey("\x1B");
    const double start = headlessNow();
    flyOver();
    EXPECT_LT(headlessNow() - start, 0.01);
    // No frame was drawn, so the code is as it was.
    EXPECT_EQ(thisLevel().code, "base");
    EXPECT_FALSE(programEnding());
}

TEST_F(FlyOverTest, EscapeMidFlightKeepsTheLettersSpelledSoFar) {
    twoSegmentLevel();
    std::string error;
    // At 2 s the flier is near x = 220: past к (130) and у (190), not ћ (250).
    ASSERT_TRUE(headlessLoadScript("wait 2\nkey Escape\n", error)) << error;
    flyOver();
    EXPECT_NEAR(headlessNow(), 2.0, 0.01);
    EXPECT_EQ(thisLevel().code, "\xEA\xF3");
    EXPECT_FALSE(programEnding());
}

TEST_F(FlyOverTest, CloseButtonMidFlightEndsTheProgram) {
    twoSegmentLevel();
    std::string error;
    ASSERT_TRUE(headlessLoadScript("wait 7\nclose\n", error)) << error;
    flyOver();
    EXPECT_TRUE(programEnding());
    EXPECT_NEAR(headlessNow(), 7.0, 0.01);
}

TEST_F(FlyOverTest, OtherKeysAreSwallowedByTheFlight) {
    twoSegmentLevel();
    queueKey("a");
    queueKey("5");
    flyOver();
    EXPECT_EQ(readKey(), "");
    EXPECT_EQ(thisLevel().code, kOutAndBack);
}

TEST_F(FlyOverTest, CloseEventEndsTheProgram) {
    twoSegmentLevel();
    queueEvent(kEventClose);
    const double start = headlessNow();
    flyOver();
    EXPECT_TRUE(programEnding());
    EXPECT_LT(headlessNow() - start, 0.01);
    EXPECT_EQ(thisLevel().code, "base");
}

TEST_F(FlyOverTest, OtherEventsDoNotStopTheFlight) {
    twoSegmentLevel();
    queueEvent(5);
    const double start = headlessNow();
    flyOver();
    EXPECT_GE(headlessNow() - start, 10.0);
    EXPECT_FALSE(programEnding());
}

TEST_F(FlyOverTest, RightPressOnKnotFliesAndKeepsMenuShut) {
    twoSegmentLevel();
    pointerAt(102, 98, 2);
    const double start = headlessNow();
    handlePointer();
    EXPECT_GE(headlessNow() - start, 10.0);
    EXPECT_EQ(rightLatch, 255);
    EXPECT_EQ(thisLevel().code, kOutAndBack);

    // Held on over the knot: the same flight starts again.
    thisLevel().code = "base";
    handlePointer();
    EXPECT_GE(headlessNow() - start, 20.0);
    EXPECT_EQ(thisLevel().code, kOutAndBack);
}

}  // namespace
