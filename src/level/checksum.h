// The checksum of the open levels' codes in menu order (CRC-32, ISO-HDLC).
#pragma once

#include <cstddef>
#include <cstdint>

// Chainable CRC-32: start 0, returns the inverted register.
uint32_t crc32Bytes(uint32_t start, const void* data, size_t length);
// CRC of " " + code for each entry of levelList, in order. Entries naming no
// level count as an empty code.
uint32_t levelChecksum();
