// Any text as a puzzle link: base64url, raw inflate under the output limit,
// the name rule and the puzzle reader. A link that decodes must make a link
// that decodes to the same bytes and name, and a cleaned name must be safe
// to store and clean already.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_files.h"
#include "level/level_set.h"
#include "level/share_link.h"

namespace {

void checkCleanName(const std::string& name) {
    if (name.empty() || name.size() > kLinkNameLimit) fuzzFail("a cleaned name's length");
    if (name[0] == '.' || name[0] == ' ') fuzzFail("a cleaned name starts with a dot or blank");
    for (const char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\') fuzzFail("a cleaned name's byte", c);
    }
    const std::string end = name.size() >= 4 ? name.substr(name.size() - 4) : "";
    if (end.size() != 4 || end[0] != '.' || (end[1] | 0x20) != 'z' || (end[2] | 0x20) != 'a' ||
        (end[3] | 0x20) != 'g') {
        fuzzFail("a cleaned name does not end in .zag");
    }
    bool changed = true;
    if (cleanLinkName(name, changed) != name || changed)
        fuzzFail("cleaning a clean name changed it");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    resetLevelSet();

    // The name rule on the raw bytes too, which need not come through a link.
    bool changed = false;
    checkCleanName(cleanLinkName(text, changed));

    // What base64url decodes to comes back through its encoding.
    std::string decoded;
    std::string again64;
    if (base64UrlDecode(text, decoded) &&
        (!base64UrlDecode(base64UrlEncode(decoded), again64) || again64 != decoded)) {
        fuzzFail("base64url does not give its bytes back");
    }

    DecodedLink link;
    const LinkError error = decodeLink(text, link);
    if (levels.size() != 1 || storedChecksum != 0)
        fuzzFail("decoding a link changed the level set");
    if (error != LinkError::None) return 0;
    if (link.bytes.size() > kLinkOutputLimit) fuzzFail("a link gave more than the limit");
    checkCleanName(link.name);

    DecodedLink again;
    if (decodeLink(linkFragment(link.name, link.bytes), again) != LinkError::None ||
        again.bytes != link.bytes || again.name != link.name || again.nameChanged) {
        fuzzFail("a link made from a decoded link does not decode to the same puzzle");
    }
    return 0;
}
