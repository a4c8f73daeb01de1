// Conversion of a page of palette indices into the 32-bit ARGB pixels that
// the window's texture holds, and the memory of the picture last shown.
#pragma once

#include <cstdint>

// The shown palette (the values the window shows) as opaque ARGB words.
void buildArgbPalette(uint32_t (&argb)[256]);
// Writes the 640x480 page through the palette into rows pitchBytes apart
// (pitchBytes is at least 640 * 4; bytes past each row are left alone).
void convertPageToArgb(const uint8_t* page, const uint32_t (&argb)[256], uint8_t* out,
                       int pitchBytes);

// True when the page and the palette are the picture last shown.
bool pictureMatchesShown(const uint8_t* page, const uint32_t (&argb)[256]);
// True when the page or the palette differ from the picture last shown (or
// nothing was shown yet); the new picture is then remembered as shown.
bool pictureIsNew(const uint8_t* page, const uint32_t (&argb)[256]);
// The next picture counts as new whatever it holds.
void forgetShownPicture();
