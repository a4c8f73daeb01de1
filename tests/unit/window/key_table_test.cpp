// The key table against everything that restates it: the script runner's key
// names, the browser's and the SDL window's key maps, and the key lists in
// HACKING.md and the orvet-script manual page.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/web/web_keys.h"
#include "platform/window/input_feed.h"
#ifdef ORVET_TEST_SDL_KEYS
#include "platform/sdl/sdl_keys.h"
#endif

namespace {

std::string readSourceFile(const std::string& path) {
    std::ifstream in(std::string(ORVET_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string trim(std::string s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(s);
    for (std::string part; std::getline(in, part, separator);) {
        part = trim(part);
        if (!part.empty()) parts.push_back(part);
    }
    return parts;
}

// "F1..F10" or "F1 … F6" as the names it stands for; any other word as itself.
std::vector<std::string> expandRange(const std::string& word) {
    for (const std::string dots : {"..", " … "}) {
        const size_t at = word.find(dots);
        if (at == std::string::npos || word[0] != 'F') continue;
        const int from = std::stoi(word.substr(1, at - 1));
        const int to = std::stoi(word.substr(at + dots.size() + 1));
        std::vector<std::string> names;
        for (int i = from; i <= to; ++i) names.push_back("F" + std::to_string(i));
        return names;
    }
    return {word};
}

// The names a `key` command's documentation lists after "a character, or ".
std::set<std::string> documentedNames(const std::string& list) {
    std::set<std::string> names;
    for (const std::string& word : split(list, ' ')) {
        for (const std::string& name : expandRange(word)) names.insert(name);
    }
    return names;
}

std::set<std::string> tableNames() {
    std::set<std::string> names;
    for (const KeyEntry& k : kKeyTable) {
        if (!k.name.empty()) names.insert(std::string(k.name));
    }
    return names;
}

// One cell of HACKING.md's key string table: "27, 13, 8, 9", "255 `H` `P`"
// or "255 249, 255 218", as the strings of the n keys it names.
std::vector<std::string> documentedStrings(const std::string& cell, size_t n) {
    std::vector<std::string> strings;
    for (const std::string& part : split(cell, ',')) {
        std::string bytes;
        for (const std::string& token : split(part, ' ')) {
            if (token.size() == 3 && token[0] == '`') {
                bytes += token[1];
            } else {
                bytes += static_cast<char>(std::stoi(token));
            }
        }
        strings.push_back(bytes);
    }
    // "255 `H` `P` `K` `M`": one extended key per byte after the 255.
    if (strings.size() == 1 && n > 1 && strings[0].size() == n + 1) {
        const std::string one = strings[0];
        strings.clear();
        for (size_t i = 1; i < one.size(); ++i) strings.push_back(one.substr(0, 1) + one[i]);
    }
    return strings;
}

TEST(KeyTable, StringsAreDistinctAndShapedAsTheGameReadsThem) {
    std::set<std::string_view> seen;
    for (const KeyEntry& k : kKeyTable) {
        EXPECT_TRUE(seen.insert(k.string).second) << k.name;
        const bool editing = k.key == Key::Undo || k.key == Key::Redo || k.key == Key::ShiftRedo;
        EXPECT_EQ(isEditingKey(k.string), editing) << k.name;
        if (k.string.size() == 1) {
            EXPECT_LE(static_cast<uint8_t>(k.string[0]), uint8_t{' '}) << k.name;
        } else {
            ASSERT_EQ(k.string.size(), 2u) << k.name;
            EXPECT_EQ(static_cast<uint8_t>(k.string[0]), 255) << k.name;
        }
    }
}

TEST(KeyTable, EveryScriptNameGivesTheTablesString) {
    headlessReset();
    resetDisplayState();
    clearInputQueues();
    std::string script;
    std::vector<std::string> expected;
    for (const KeyEntry& k : kKeyTable) {
        if (k.name.empty()) continue;
        script += "key " + std::string(k.name) + "\n";
        expected.push_back(std::string(k.string));
    }
    std::string error;
    ASSERT_TRUE(headlessLoadScript(script, error)) << error;
    std::vector<std::string> keys;
    while (keys.size() < expected.size() && headlessNow() < 10.0) {
        const std::string k = readKey();
        if (!k.empty()) keys.push_back(k);
    }
    EXPECT_EQ(keys, expected);
    EXPECT_FALSE(headlessLoadScript("key Close\n", error)) << "the close key has no script name";
}

// The keys a window host delivers as key presses: all but the typed Space,
// the editing chords (matched by letter and modifiers) and the close button.
std::set<Key> pressedKeys() {
    std::set<Key> keys;
    for (const KeyEntry& k : kKeyTable) {
        if (k.key != Key::Space && !isEditingKey(k.string) && k.key != Key::Close) {
            keys.insert(k.key);
        }
    }
    return keys;
}

TEST(KeyTable, HostMapsReachEveryPressedKeyAndNothingElse) {
    headlessReset();
    clearInputQueues();
    std::set<Key> web;
    std::set<std::string> webNames;
    for (const WebKey& k : kWebKeys) {
        web.insert(k.key);
        EXPECT_TRUE(webNames.insert(k.name).second) << k.name;
    }
    EXPECT_EQ(web, pressedKeys());
#ifdef ORVET_TEST_SDL_KEYS
    std::set<Key> sdl;
    std::set<int> codes;
    for (const SdlKey& k : kSdlKeys) {
        sdl.insert(k.key);
        EXPECT_TRUE(codes.insert(k.code).second) << k.code;
    }
    EXPECT_EQ(sdl, pressedKeys());
    for (const SdlKey& k : kSdlKeypadKeys) {
        EXPECT_TRUE(codes.insert(k.code).second) << k.code;
        EXPECT_TRUE(pressedKeys().count(k.key)) << k.code;
    }
#endif
    // What a host feeds for a key is the table's string.
    for (const Key key : pressedKeys()) feedSpecialKey(key);
    for (const Key key : pressedKeys()) EXPECT_EQ(readKey(), keyString(key));
}

TEST(KeyTable, HackingAndTheManualPageListTheSameKeys) {
    const std::string hacking = readSourceFile("HACKING.md");
    const std::string manual = readSourceFile("docs/man/orvet-script.6.scd");
    const std::string lead = "a character, or ";

    // The `key K` row of HACKING.md's command table.
    const size_t row = hacking.find("| `key K` |");
    ASSERT_NE(row, std::string::npos);
    const size_t from = hacking.find(lead, row) + lead.size();
    EXPECT_EQ(documentedNames(hacking.substr(from, hacking.find(" |", from) - from)), tableNames());

    // The *key* _K_ entry of the manual page, over its indented lines.
    const size_t entry = manual.find("*key* _K_");
    ASSERT_NE(entry, std::string::npos);
    const size_t start = manual.find(lead, entry) + lead.size();
    std::string list =
        manual.substr(start, manual.find('.', manual.find("F1..", start) + 4) - start);
    for (char& c : list) {
        if (c == '\n' || c == '\t') c = ' ';
    }
    EXPECT_EQ(documentedNames(list), tableNames());

    // HACKING.md's table of key strings: two keys and strings a row.
    std::map<std::string, std::string> documented;
    const size_t table = hacking.find("| key | string | key | string |");
    ASSERT_NE(table, std::string::npos);
    std::stringstream lines(hacking.substr(table));
    std::string line;
    std::getline(lines, line);  // the heading
    std::getline(lines, line);  // the rule
    while (std::getline(lines, line) && line.starts_with("|")) {
        const std::vector<std::string> cells = split(line, '|');
        ASSERT_EQ(cells.size() % 2, 0u) << line;
        for (size_t c = 0; c < cells.size(); c += 2) {
            std::vector<std::string> names;
            std::string keys = cells[c];
            if (const size_t paren = keys.find(" ("); paren != std::string::npos)
                keys.resize(paren);
            for (const std::string& name : split(keys, ',')) {
                for (const std::string& each : expandRange(name)) names.push_back(each);
            }
            const std::vector<std::string> strings = documentedStrings(cells[c + 1], names.size());
            ASSERT_EQ(strings.size(), names.size()) << line;
            for (size_t i = 0; i < names.size(); ++i) documented[names[i]] = strings[i];
        }
    }
    std::map<std::string, std::string> expected;
    for (const KeyEntry& k : kKeyTable) {
        if (k.key == Key::Space) continue;  // typed, as any character
        expected[k.key == Key::Close ? "close button" : std::string(k.name)] =
            std::string(k.string);
    }
    EXPECT_EQ(documented, expected);
}

}  // namespace
