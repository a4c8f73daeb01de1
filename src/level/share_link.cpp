// The puzzle link: base64url, raw deflate and inflate (zlib), the name rule
// and storing without replacing anything. Not in the browser build, whose
// page does the same with the browser's own streams.
#include "level/share_link.h"

#include <zlib.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "level/puzzle_file.h"
#include "level/text_records.h"
#include "platform/files.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
// Stored names tried before giving up: name, name-2 ... name-999.
constexpr int kMaxCandidates = 999;

int base64Value(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '-') return 62;
    if (c == '_') return 63;
    return -1;
}

int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF),
// as a browser's decodeURIComponent takes it.
bool isUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xc2 && c <= 0xdf) {
            extra = 1;
            code = c & 0x1f;
        } else if (c >= 0xe0 && c <= 0xef) {
            extra = 2;
            code = c & 0x0f;
        } else if (c >= 0xf0 && c <= 0xf4) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xc0) != 0x80) return false;
            code = (code << 6) | (d & 0x3f);
        }
        if ((extra == 2 && (code < 0x800 || (code >= 0xd800 && code <= 0xdfff))) ||
            (extra == 3 && (code < 0x10000 || code > 0x10ffff))) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

bool endsWithZag(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string_view end = name.substr(name.size() - 4);
    return end[0] == '.' && (end[1] | 0x20) == 'z' && (end[2] | 0x20) == 'a' &&
           (end[3] | 0x20) == 'g';
}

}  // namespace

std::string base64UrlEncode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() * 4 + 2) / 3);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                           static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        if (rest == 2) out += kAlphabet[(v >> 6) & 63];
    }
    return out;
}

bool base64UrlDecode(std::string_view text, std::string& out) {
    out.clear();
    if (text.size() % 4 == 1) return false;
    out.reserve(text.size() * 3 / 4);
    uint32_t v = 0;
    int bits = 0;
    for (const char c : text) {
        const int d = base64Value(static_cast<unsigned char>(c));
        if (d < 0) return false;
        v = (v << 6) | static_cast<uint32_t>(d);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((v >> bits) & 0xff);
        }
    }
    return true;
}

std::string deflateRaw(std::string_view bytes) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
        return {};
    }
    std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(result == Z_STREAM_END ? z.total_out : 0);
    deflateEnd(&z);
    return out;
}

InflateResult inflateRaw(std::string_view data, size_t limit, std::string& out) {
    out.clear();
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return InflateResult::Corrupt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    InflateResult result = InflateResult::Unfinished;
    for (;;) {
        // Room for one byte past the limit, which tells a bomb from a file
        // of exactly the limit.
        const size_t room = limit + 1 - out.size();
        const size_t chunk = room < 65536 ? room : 65536;
        const size_t before = out.size();
        out.resize(before + chunk);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + before);
        z.avail_out = static_cast<uInt>(chunk);
        const int status = inflate(&z, Z_NO_FLUSH);
        out.resize(before + chunk - z.avail_out);
        if (out.size() > limit) {
            result = InflateResult::TooLarge;
            break;
        }
        if (status == Z_STREAM_END) {
            result = z.avail_in == 0 ? InflateResult::Done : InflateResult::Corrupt;
            break;
        }
        if (status == Z_BUF_ERROR && z.avail_in == 0) break;  // the input ended first
        if (status != Z_OK && status != Z_BUF_ERROR) {
            result = InflateResult::Corrupt;
            break;
        }
    }
    inflateEnd(&z);
    return result;
}

std::string percentEncode(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool percentDecode(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] != '%') {
            out += text[i];
        } else {
            if (i + 2 >= text.size()) return false;
            const int hi = hexValue(static_cast<unsigned char>(text[i + 1]));
            const int lo = hexValue(static_cast<unsigned char>(text[i + 2]));
            if (hi < 0 || lo < 0) return false;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        }
    }
    return true;
}

std::string cleanLinkName(std::string_view name, bool& changed) {
    changed = true;
    if (!isUtf8(name)) return std::string(kLinkDefaultName);
    std::string s;
    for (const char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        s += c < 0x20 || c == 0x7f || c == '/' || c == '\\' ? '_' : ch;
    }
    size_t start = 0;
    while (start < s.size() && (s[start] == '.' || s[start] == ' ')) ++start;
    size_t end = s.size();
    while (end > start && s[end - 1] == ' ') --end;
    s = s.substr(start, end - start);
    if (!endsWithZag(s)) s += ".zag";
    if (s.size() > kLinkNameLimit) {
        // Cut the stem, keeping its extension, before the character that
        // does not fit whole.
        size_t cut = kLinkNameLimit - 4;
        while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xc0) == 0x80) --cut;
        s = s.substr(0, cut) + s.substr(s.size() - 4);
    }
    if (s.size() == 4) return std::string(kLinkDefaultName);
    changed = s != name;
    return s;
}

std::string linkFragment(std::string_view name, std::string_view bytes) {
    return "#p1=" + base64UrlEncode(deflateRaw(bytes)) + "&n=" + percentEncode(name);
}

LinkError decodeLink(std::string_view link, DecodedLink& out) {
    const size_t hash = link.find('#');
    if (hash != std::string_view::npos) link.remove_prefix(hash + 1);
    std::string_view data;
    std::string_view name;
    bool havePuzzle = false;
    bool newer = false;
    while (!link.empty()) {
        const size_t amp = link.find('&');
        const std::string_view part = link.substr(0, amp);
        link.remove_prefix(amp == std::string_view::npos ? link.size() : amp + 1);
        const size_t eq = part.find('=');
        const std::string_view key = part.substr(0, eq);
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view() : part.substr(eq + 1);
        if (key == "p1" && !havePuzzle) {
            data = value;
            havePuzzle = true;
        } else if (key == "n" && name.empty()) {
            name = value;
        } else if (key.size() > 1 && key[0] == 'p' && key[1] >= '1' && key[1] <= '9') {
            newer = true;
        }
    }
    if (!havePuzzle) return newer ? LinkError::NewerVersion : LinkError::NoPuzzle;
    std::string compressed;
    if (!base64UrlDecode(data, compressed)) return LinkError::BadBase64;
    switch (inflateRaw(compressed, kLinkOutputLimit, out.bytes)) {
        case InflateResult::Done:
            break;
        case InflateResult::Unfinished:
            return LinkError::Unfinished;
        case InflateResult::TooLarge:
            return LinkError::TooLarge;
        case InflateResult::Corrupt:
            return LinkError::Corrupt;
    }
    if (!isPuzzleBytes(out.bytes)) return LinkError::NotAPuzzle;
    std::string decodedName;
    // A name that is not percent-encoded properly is replaced like one that
    // is not UTF-8.
    if (!percentDecode(name, decodedName)) decodedName = "\xff";
    out.name = cleanLinkName(decodedName, out.nameChanged);
    return LinkError::None;
}

const char* linkErrorText(LinkError error) {
    switch (error) {
        case LinkError::None:
            return "no error";
        case LinkError::NoPuzzle:
            return "the link holds no puzzle (no p1=)";
        case LinkError::NewerVersion:
            return "the link was made by a newer version of the game";
        case LinkError::BadBase64:
            return "the link is damaged (bad base64)";
        case LinkError::Unfinished:
            return "the link is cut short (the compressed puzzle does not end)";
        case LinkError::TooLarge:
            return "the link's puzzle is too large (over 4 MiB)";
        case LinkError::Corrupt:
            return "the link is damaged (bad compressed data)";
        case LinkError::NotAPuzzle:
            return "the link does not hold a puzzle (it does not begin with \"LVL\")";
    }
    return "";
}

std::string linkCandidateName(std::string_view name, int index) {
    if (index <= 1) return std::string(name);
    const size_t cut = endsWithZag(name) ? name.size() - 4 : name.size();
    return std::string(name.substr(0, cut)) + "-" + std::to_string(index) +
           std::string(name.substr(cut));
}

StoreResult storeLinkedPuzzle(const std::string& folder, std::string_view name,
                              std::string_view bytes, std::string& storedName) {
    std::string existing;
    int retries = 0;
    for (int index = 1; index <= kMaxCandidates; ++index) {
        storedName = linkCandidateName(name, index);
        const std::string path = folder + storedName;
        if (probeFile(path) != FileProbe::Missing) {
            if (readPlainFile(path, bytes.size(), existing) && existing == bytes) {
                return StoreResult::AlreadyThere;
            }
            continue;
        }
        bool exists = false;
        if (createFile(path, bytes, exists)) return StoreResult::Stored;
        if (!exists) return StoreResult::Failed;
        if (++retries < 3) --index;  // made by someone else just now: look at it again
    }
    return StoreResult::Failed;
}
