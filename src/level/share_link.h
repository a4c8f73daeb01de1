// The puzzle link: a puzzle file carried whole in an address's fragment,
// "#p1=<base64url of raw deflate of the file>&n=<the file's name,
// percent-encoded>", its decoding with an output limit, the cleaning of the
// name it gives, and storing it in a folder without replacing anything.
// The page (web/share.js) follows the same rules.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// No link gives more bytes than this (a decompression bomb stops here).
constexpr size_t kLinkOutputLimit = 4u << 20;
// A stored name is at most this many bytes, ".zag" included.
constexpr size_t kLinkNameLimit = 100;
// The name a link without a usable one is stored under.
constexpr std::string_view kLinkDefaultName = "puzzle.zag";

// Base64url (- and _) without padding.
std::string base64UrlEncode(std::string_view bytes);
// False on a byte outside the alphabet, padding, or a length of 4n+1.
bool base64UrlDecode(std::string_view text, std::string& out);

// Raw deflate (no header, no checksum), at the best compression.
std::string deflateRaw(std::string_view bytes);

enum class InflateResult { Done, Unfinished, TooLarge, Corrupt };
// Raw inflate of the whole input, stopping as soon as the output would pass
// limit. Unfinished: the input ends before the last block does; Corrupt: a
// bad block, or bytes after the last one.
InflateResult inflateRaw(std::string_view data, size_t limit, std::string& out);

// %XX for every byte but A-Z a-z 0-9 - . _ ~.
std::string percentEncode(std::string_view text);
// %XX to its byte and + to a space (as a browser's URLSearchParams reads it);
// false on a % without two hex digits.
bool percentDecode(std::string_view text, std::string& out);

// The name a link gives, made safe to store: slashes and control bytes
// become "_", leading dots and blanks and trailing blanks go, ".zag" is
// added when it does not end so, and a name over kLinkNameLimit bytes is cut
// (at a character's start). A name that is not UTF-8 or is left empty
// becomes kLinkDefaultName. changed tells whether anything was done.
std::string cleanLinkName(std::string_view name, bool& changed);

// The fragment part of a link to bytes under name (from "#p1=").
std::string linkFragment(std::string_view name, std::string_view bytes);

enum class LinkError {
    None,
    NoPuzzle,
    NewerVersion,
    BadBase64,
    Unfinished,
    TooLarge,
    Corrupt,
    NotAPuzzle
};
struct DecodedLink {
    std::string bytes;  // the puzzle file
    std::string name;   // cleaned
    bool nameChanged = false;
};
// Decodes a whole link (an address with a fragment, or the fragment alone,
// with or without "#"): the bytes checked by the puzzle reader, the name
// cleaned. Anything but None leaves out's contents unspecified.
LinkError decodeLink(std::string_view link, DecodedLink& out);
// What is wrong, for the status line and stderr.
const char* linkErrorText(LinkError error);

// The names a puzzle called name may be stored under, in order: name, then
// stem-2.zag, stem-3.zag, ...
std::string linkCandidateName(std::string_view name, int index);

enum class StoreResult { Stored, AlreadyThere, Failed };
// Stores bytes in folder (empty: the current one; else ending in "/") under
// the first candidate name that is free or already holds the same bytes;
// a different file is never replaced. storedName is the name used.
StoreResult storeLinkedPuzzle(const std::string& folder, std::string_view name,
                              std::string_view bytes, std::string& storedName);
