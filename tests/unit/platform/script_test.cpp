// Scenario scripts: every command and malformed lines (the key names are
// checked against the key table in tests/unit/window/key_table_test.cpp).
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/platform.h"

namespace {

class Script : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        resetDisplayState();
        clearInputQueues();
    }
    void load(const std::string& text) {
        std::string error;
        ASSERT_TRUE(headlessLoadScript(text, error)) << error;
    }
    static std::string loadError(const std::string& text) {
        std::string error;
        EXPECT_FALSE(headlessLoadScript(text, error)) << text;
        return error;
    }
    // Reads keys until the queue stays empty past the script's end.
    static std::vector<std::string> allKeys() {
        std::vector<std::string> keys;
        while (!headlessScriptDone() || keys.empty() || headlessNow() < 0.001) {
            std::string k = readKey();
            if (!k.empty()) keys.push_back(k);
            if (headlessNow() > 100.0) break;
        }
        for (std::string k = readKey(); !k.empty(); k = readKey()) keys.push_back(k);
        return keys;
    }
};

TEST_F(Script, SingleCharactersBytesAndTypedText) {
    load(
        "key a\nkey ж\nkey Ђ\nkey #\nkey 0\n"
        "byte 0\nbyte 255\nbyte 27\n"
        "type Ab ц#x  \n");
    const std::vector<std::string> expected = {
        "a",    "\xE6", "\x80", "#", "0", std::string(1, '\0'), "\xFF", "\x1B", "A", "b", " ",
        "\xF6", "#",    "x",    " ", " "};
    EXPECT_EQ(allKeys(), expected);
}

TEST_F(Script, CommentsBlankLinesAndWindowsLineEnds) {
    load("# a comment\n\n   \n\tkey a # trailing comment\r\nwait 0.5 # settle\r\nkey b\n");
    EXPECT_EQ(allKeys(), (std::vector<std::string>{"a", "b"}));
    EXPECT_DOUBLE_EQ(headlessScriptEnd(), 0.5);
}

TEST_F(Script, MovePressReleaseLeave) {
    load(
        "move 10 20\npress left\nwait 0.01\npress right\nrelease left\nwait 0.01\n"
        "press middle\nwait 0.01\nleave\nwait 0.01\nmove 5 6\n");
    auto readAt = [](double t) {
        while (headlessNow() < t) readKey();
        return readMouse();
    };
    MouseReading m = readAt(0.0);
    EXPECT_TRUE(m.ok);
    EXPECT_EQ(m.x, 10);
    EXPECT_EQ(m.y, 20);
    EXPECT_EQ(m.buttons, 1);
    EXPECT_EQ(readAt(0.01).buttons, 2);
    EXPECT_EQ(readAt(0.02).buttons, 6);
    m = readAt(0.03);
    EXPECT_FALSE(m.ok);
    EXPECT_EQ(m.x, -1);
    m = readAt(0.04);
    EXPECT_TRUE(m.ok);
    EXPECT_EQ(m.x, 5);
    EXPECT_EQ(m.buttons, 6);  // buttons held while outside stay held
}

TEST_F(Script, ClickPressesThenReleasesAfterFiftyMilliseconds) {
    load("click 30 40\nclick 50 60 right\n");
    MouseReading m = readMouse();  // t = 0
    EXPECT_EQ(m.x, 30);
    EXPECT_EQ(m.buttons, 1);
    while (headlessNow() < 0.049) readKey();
    EXPECT_EQ(readMouse().buttons, 1);  // read at 0.049
    EXPECT_EQ(readMouse().buttons, 0);  // read at 0.050
    while (headlessNow() < 0.1) readKey();
    m = readMouse();
    EXPECT_EQ(m.x, 50);
    EXPECT_EQ(m.y, 60);
    EXPECT_EQ(m.buttons, 2);
    EXPECT_DOUBLE_EQ(headlessScriptEnd(), 0.2);
}

TEST_F(Script, CloseAndShot) {
    char pattern[] = "/tmp/orvet-shot-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string file = std::string(pattern) + "/s.png";
    setBackground(15);
    clearPage();
    load("close\nshot " + file + "\n");
    WindowEvent e{0};
    ASSERT_TRUE(popEvent(e));
    EXPECT_EQ(e.type, kEventClose);
    EXPECT_EQ(readKey(), std::string("\xFF"
                                     "k"));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, file.c_str())) << image.message;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    EXPECT_EQ(image.width, 640u);
    EXPECT_EQ(image.height, 480u);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[rgb.size() - 1], 255);
    std::remove(file.c_str());
    rmdir(pattern);
}

TEST_F(Script, MalformedLinesNameTheLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"jump 1\n", "line 1: unknown command 'jump'"},
        {"\n# ok\nwait x\n", "line 3: bad number 'x'"},
        {"wait -1\n", "line 1: bad number '-1'"},
        {"wait 1e3\n", "line 1: bad number '1e3'"},
        {"wait nan\n", "line 1: bad number 'nan'"},
        {"wait .\n", "line 1: bad number '.'"},
        {"wait 100000\n", "line 1: bad number '100000'"},
        {"wait\n", "line 1: missing argument"},
        {"wait 1 2\n", "line 1: unexpected '2'"},
        {"move 1\n", "line 1: missing argument"},
        {"move 1 y\n", "line 1: bad coordinate"},
        {"move 1.5 2\n", "line 1: bad coordinate"},
        {"move 99999999999 2\n", "line 1: bad coordinate"},
        {"press\n", "line 1: missing argument"},
        {"press both\n", "line 1: unknown button 'both'"},
        {"release Left\n", "line 1: unknown button 'Left'"},
        {"click 1 2 up\n", "line 1: unknown button 'up'"},
        {"key\n", "line 1: missing argument"},
        {"key Esc\n", "line 1: unknown key 'Esc'"},
        {"key ab\n", "line 1: unknown key 'ab'"},
        {"key ℕ\n", "line 1: no Windows-1251 byte for 'ℕ'"},
        {"key a b\n", "line 1: unexpected 'b'"},
        {"byte 256\n", "line 1: bad byte '256'"},
        {"byte -1\n", "line 1: bad byte '-1'"},
        {"type\n", "line 1: missing argument"},
        {"type \n", "line 1: missing argument"},
        {"type 中\n", "line 1: text with a character that has no Windows-1251 byte"},
        {"shot\n", "line 1: missing argument"},
        {"close now\n", "line 1: unexpected 'now'"},
        {"leave 1\n", "line 1: unexpected '1'"},
    };
    for (const auto& c : cases) EXPECT_EQ(loadError(c.text), c.error) << c.text;
}

TEST_F(Script, AFailedLoadLeavesNoScript) {
    load("wait 1\nkey a\n");
    std::string error;
    EXPECT_FALSE(headlessLoadScript("key a\nnonsense\n", error));
    EXPECT_TRUE(headlessScriptDone());
    EXPECT_EQ(readKey(), "");
}

}  // namespace
