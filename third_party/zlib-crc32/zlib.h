/* The one zlib function the game calls, CRC-32 (the polynomial of zlib,
   PNG and ZIP), for the browser build: Emscripten brings no zlib of its own
   and its packaged copy is downloaded at build time, which this build does
   not do. Same name and meaning as zlib's, so the game's source is the same;
   the native build links the system's zlib. */
#ifndef ORVET_WEB_ZLIB_H
#define ORVET_WEB_ZLIB_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned char Bytef;
typedef size_t z_size_t;
typedef unsigned long uLong;

/* The CRC-32 of buf[0..len) continued from crc; 0 when buf is NULL. */
uLong crc32_z(uLong crc, const Bytef* buf, z_size_t len);

#ifdef __cplusplus
}
#endif

#endif
