// CRC-32 of the open levels' codes, through zlib's table-driven CRC.
#include "level/checksum.h"

#include <zlib.h>

#include "level/level_set.h"

uint32_t crc32Bytes(uint32_t start, const void* data, size_t length) {
    return static_cast<uint32_t>(
        crc32_z(start, static_cast<const Bytef*>(data), static_cast<z_size_t>(length)));
}

uint32_t levelChecksum() {
    uint32_t crc = 0;
    for (uint16_t entry : levelList) {
        crc = crc32Bytes(crc, " ", 1);
        if (entry < levels.size()) {
            const std::string& code = levels[entry].code;
            crc = crc32Bytes(crc, code.data(), code.size());
        }
    }
    return crc;
}
