/* CRC-32 as zlib computes it: reflected polynomial 0xEDB88320, all bits
   inverted before and after, one table lookup per byte. */
#include <stdint.h>

#include "zlib.h"

static uint32_t table[256];
static int tableMade;

static void makeTable(void) {
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    tableMade = 1;
}

uLong crc32_z(uLong crc, const Bytef* buf, z_size_t len) {
    if (buf == NULL) return 0;
    if (!tableMade) makeTable();
    uint32_t c = (uint32_t)crc ^ 0xFFFFFFFFu;
    for (z_size_t i = 0; i < len; ++i) c = table[(c ^ buf[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}
