// Puzzle links on the command line end to end: `--share` makes a link that
// `--open-link` stores byte for byte in another folder; a second opening
// stores nothing; a different puzzle of the same name goes to NAME-2.zag;
// bad links store nothing and say why; names from a link are made safe.
#include <dirent.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "script_runner.h"

namespace {

std::string pack(const std::string& name) {
    return readFileBytes(std::string(ORVET_SOURCE_DIR) + "/puzzles/" + name);
}

std::vector<std::string> puzzlesIn(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) return names;
    while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && name != "scenario.txt" && name[0] != '.') {
            names.push_back(name);
        }
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

// The link `--share` prints for bytes under name, made in a folder of its own.
std::string shareLink(const std::string& name, const std::string& bytes) {
    const ScriptRun r = runScript("", {"--share", name}, {{name, bytes}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("title "), std::string::npos) << "no window for --share: " << r.out;
    return r.out.substr(0, r.out.find('\n'));
}

std::string base64Url(const std::string& bytes) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        if (i + 1 < bytes.size()) out += alphabet[(v >> 6) & 63];
        if (i + 2 < bytes.size()) out += alphabet[v & 63];
    }
    return out;
}

std::string rawDeflate(const std::string& bytes) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, bytes.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

}  // namespace

TEST(ShareLink, ShareThenOpenStoresTheSameBytesOnceAndNeverReplacesAnother) {
    setenv("ORVET_SHARE_URL", "https://example.org/orvet/", 1);
    const std::string first = pack("01-pocetak.zag");
    const std::string link = shareLink("01-pocetak.zag", first);
    unsetenv("ORVET_SHARE_URL");
    ASSERT_EQ(link.rfind("https://example.org/orvet/#p1=", 0), 0u) << link;
    EXPECT_NE(link.find("&n=01-pocetak.zag"), std::string::npos) << link;
    EXPECT_LE(link.size() - link.find('#'), 700u);

    // Opened in a folder of its own: stored, then played.
    ScriptRun r = runScript("wait 0.1\n", {"--open-link", link});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "orvet: stored the link's puzzle as \"01-pocetak.zag\"\n");
    EXPECT_NE(r.out.find("title Orvet: 01-pocetak\n"), std::string::npos) << r.out;
    EXPECT_EQ(readFileBytes(r.dir + "/01-pocetak.zag"), first);

    // Again: the same bytes are there, and nothing new is stored.
    r = runScriptIn(r.dir, "wait 0.1\n", {"--open-link", link});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "orvet: the link's puzzle is already here as \"01-pocetak.zag\"\n");
    EXPECT_EQ(puzzlesIn(r.dir), std::vector<std::string>{"01-pocetak.zag"});

    // Another puzzle under the same name goes beside it, twice over.
    const std::string other = shareLink("01-pocetak.zag", pack("02-krivine.zag"));
    r = runScriptIn(r.dir, "wait 0.1\n", {"--open-link", other});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "orvet: stored the link's puzzle as \"01-pocetak-2.zag\" (another "
              "\"01-pocetak.zag\" is here)\n");
    EXPECT_NE(r.out.find("title Orvet: 01-pocetak-2\n"), std::string::npos) << r.out;
    EXPECT_EQ(readFileBytes(r.dir + "/01-pocetak.zag"), first);
    EXPECT_EQ(readFileBytes(r.dir + "/01-pocetak-2.zag"), pack("02-krivine.zag"));
    const std::string third = shareLink("01-pocetak.zag", pack("03-privlacenje.zag"));
    r = runScriptIn(r.dir, "wait 0.1\n", {"--open-link", third});
    EXPECT_EQ(readFileBytes(r.dir + "/01-pocetak-3.zag"), pack("03-privlacenje.zag"));
    r = runScriptIn(r.dir, "wait 0.1\n", {"--open-link", other});
    EXPECT_EQ(r.err, "orvet: the link's puzzle is already here as \"01-pocetak-2.zag\"\n");
    EXPECT_EQ(puzzlesIn(r.dir),
              (std::vector<std::string>{"01-pocetak-2.zag", "01-pocetak-3.zag", "01-pocetak.zag"}));

    // A file that is not a puzzle is not shared.
    r = runScript("", {"--share", "x.zag"}, {{"x.zag", "hello"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("#p1="), std::string::npos) << r.out;
}

TEST(ShareLink, BadLinksStoreNothingAndSayWhy) {
    const std::string good = shareLink("p.zag", pack("01-pocetak.zag"));
    const std::string data =
        good.substr(good.find("p1=") + 3, good.find("&n=") - good.find("p1=") - 3);
    // A stored block (no compression) holding bytes that are not a puzzle.
    const std::string notPuzzle = std::string("\x01\x05\x00\xfa\xff", 5) + "hello";
    const struct {
        std::string link;
        std::string says;
    } cases[] = {
        {"#p1=" + data.substr(0, 40) + "*" + data.substr(41) + "&n=p.zag",
         "the link is damaged (bad base64)"},
        {"#p1=" + data.substr(0, data.size() / 2) + "&n=p.zag",
         "the link is cut short (the compressed puzzle does not end)"},
        {"#p1=" + base64Url(rawDeflate(std::string(5u << 20, 'x'))) + "&n=p.zag",
         "the link's puzzle is too large (over 4 MiB)"},
        {"#p1=" + base64Url(notPuzzle) + "&n=p.zag",
         "the link does not hold a puzzle (it does not begin with \"LVL\")"},
        {"#p1=" + data + "AAAA&n=p.zag", "the link is damaged (bad compressed data)"},
        {"https://example.org/#n=p.zag", "the link holds no puzzle (no p1=)"},
        {"https://example.org/#p2=AAAA&n=p.zag",
         "the link was made by a newer version of the game"},
    };
    for (const auto& c : cases) {
        const ScriptRun r = runScript("wait 0.1\n", {"--open-link", c.link});
        EXPECT_EQ(r.status, 1) << c.says;
        EXPECT_EQ(r.err, "orvet: nothing stored: " + c.says + "\n");
        EXPECT_EQ(r.out.find("title "), std::string::npos) << "no window for a bad link";
        EXPECT_EQ(puzzlesIn(r.dir), std::vector<std::string>{}) << c.says;
    }
}

TEST(ShareLink, NamesFromALinkAreMadeSafeToStore) {
    const std::string good = shareLink("p.zag", pack("01-pocetak.zag"));
    const std::string prefix = good.substr(0, good.find("&n=") + 3);
    const std::string longName(150, 'a');
    const struct {
        std::string name;    // as it stands in the link
        std::string stored;  // the file it becomes
    } cases[] = {
        {"..%2F..%2Fetc%2Fx.zag", "_.._etc_x.zag"},
        {".hidden", "hidden.zag"},
        {"a%0Ab%7F%5Cc.ZAG", "a_b__c.ZAG"},
        {"%C5%A1uma+1", "\xc5\xa1uma 1.zag"},
        {longName, std::string(96, 'a') + ".zag"},
        // Cut before a two-byte letter that does not fit whole.
        {std::string(95, 'b') + "%C5%A1%C5%A1.zag", std::string(95, 'b') + ".zag"},
        {"%FF%FE", "puzzle.zag"},
        {"...", "puzzle.zag"},
        {"--help", "--help.zag"},
    };
    for (const auto& c : cases) {
        const ScriptRun r = runScript("wait 0.1\n", {"--open-link", prefix + c.name});
        EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
        EXPECT_EQ(puzzlesIn(r.dir), std::vector<std::string>{c.stored}) << c.name;
        EXPECT_EQ(readFileBytes(r.dir + "/" + c.stored), pack("01-pocetak.zag")) << c.name;
    }
}
