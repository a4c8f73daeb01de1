// PNG shots of the visible page for the headless host in the browser build,
// which has no libpng: the same pixels in a PNG whose image data is stored
// without compression. A decoder reads the same RGB as from the native
// build's shots; only the compressed bytes differ.
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/host.h"

namespace {

void putWord(std::vector<uint8_t>& out, uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(word >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putWord(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putWord(out, uint32_t(crc32_z(0, out.data() + start, out.size() - start)));
}

// A zlib stream of stored deflate blocks.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t done = 0;
    do {
        const size_t length = raw.size() - done < 65535 ? raw.size() - done : 65535;
        out.push_back(done + length == raw.size() ? 1 : 0);
        out.push_back(uint8_t(length));
        out.push_back(uint8_t(length >> 8));
        out.push_back(uint8_t(~length));
        out.push_back(uint8_t(~length >> 8));
        out.insert(out.end(), raw.begin() + long(done), raw.begin() + long(done + length));
        done += length;
    } while (done < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putWord(out, b << 16 | a);
    return out;
}

}  // namespace

bool writeVisiblePagePng(const std::string& fileName) {
    std::vector<uint8_t> rgb(size_t(kScreenWidth) * kScreenHeight * 3);
    renderVisibleRgb(rgb.data());
    std::vector<uint8_t> rows;
    rows.reserve(rgb.size() + kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        rows.push_back(0);  // no filter
        const auto row = rgb.begin() + long(y) * kScreenWidth * 3;
        rows.insert(rows.end(), row, row + kScreenWidth * 3);
    }
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putWord(header, kScreenWidth);
    putWord(header, kScreenHeight);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(rows));
    putChunk(png, "IEND", {});
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}
