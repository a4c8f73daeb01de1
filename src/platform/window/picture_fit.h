// Where the 640x480 picture goes in a window of any size, and which of its
// pixels lies under a point of the window. Knows nothing of SDL, so it can
// be checked without a window.
#pragma once

// The picture is first enlarged by a whole factor with sharp (nearest)
// pixels, then by smooth (linear) filtering for the rest of the way to the
// rectangle it fills, keeping 4:3. With whole factors only the rectangle is
// the enlarged picture itself. A window smaller than 640x480 gets the
// picture shrunk to fit rather than cut.
struct PictureFit {
    int factor = 1;  // the whole factor of the sharp enlargement, at least 1
    int x = 0;       // the picture's rectangle in output pixels
    int y = 0;
    int w = 640;
    int h = 480;
};

PictureFit fitPicture(int outputWidth, int outputHeight, bool wholeFactorsOnly);

// Whether the rectangle is the sharp enlargement itself (no smooth part).
bool isWholeFactor(const PictureFit& fit);

// On one axis, the pixel of a span of count pixels under the centre of
// pixel d of the same span drawn size pixels long (d may lie outside it).
int scaledPixel(int d, int size, int count);

// The picture pixel whose area holds the centre of output pixel (px, py);
// outside 0..639 x 0..479 on the bars and beyond the window.
void picturePixelAt(const PictureFit& fit, int px, int py, int& sx, int& sy);
