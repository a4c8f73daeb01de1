// CRC-32 of the open levels' codes, through zlib's table-driven CRC.
#include "level/checksum.h"

#include <zlib.h>

#include <cstring>

#include "level/level_set.h"

uint32_t crc32Bytes(uint32_t start, const void* data, size_t length) {
    return static_cast<uint32_t>(
        crc32_z(start, static_cast<const Bytef*>(data), static_cast<z_size_t>(length)));
}

uint32_t levelChecksum() {
    // The input is gathered into a small block on the stack and the CRC
    // chained over whole blocks: two CRC calls per level would cost more
    // than the bytes themselves. Codes longer than the block go on their own.
    constexpr size_t kBlock = 4096;
    char block[kBlock];
    size_t used = 0;
    uint32_t crc = 0;
    for (uint16_t entry : levelList) {
        const std::string* code = entry < levels.size() ? &levels[entry].code : nullptr;
        const size_t length = code != nullptr ? code->size() : 0;
        if (used + 1 + length > kBlock) {
            crc = crc32Bytes(crc, block, used);
            used = 0;
        }
        block[used++] = ' ';
        if (length + 1 > kBlock) {
            crc = crc32Bytes(crc, block, used);
            crc = crc32Bytes(crc, code->data(), length);
            used = 0;
        } else if (length > 0) {
            // A block of bytes for the checksum, not a C string.
            // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
            std::memcpy(block + used, code->data(), length);
            used += length;
        }
    }
    return crc32Bytes(crc, block, used);
}
