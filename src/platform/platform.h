// Display and input services: the game's only view of the host.
//
// Owns the two 640x480 pages of palette indices, the palette (stored at 6-bit
// precision), the colour state, the drawing primitives and the last point, the
// key and window-event queues, mouse readings, the timer, random numbers, the
// directory listing of puzzle files, the window title and the request to end
// the program. The pixel work is done here in software; a host backend (the
// SDL window or the headless script runner, chosen at link time) only shows
// the visible page and feeds input through the functions in host.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// One palette entry as shown: 8-bit components.
struct Rgb {
    uint8_t r, g, b;
};

// A mouse reading. All five values are -1 and ok is false when the pointer is
// outside the window. Buttons: bit 0 left, bit 1 right, bit 2 middle.
struct MouseReading {
    int32_t x, y, wheel, buttons, confined;
    bool ok;
};

// A window event; type 13 is the window's close button.
struct WindowEvent {
    int32_t type;
};
constexpr int32_t kEventClose = 13;
constexpr int kEventQueueSize = 128;

enum class LineKind { Line, Box, FilledBox };

// ---- window ----
// Opens the window (640x480, 8 bits, 2 pages). Returns false when the host
// has no window system; the caller reports that and stops.
bool openWindow();
// Sets the title from Windows-1251 bytes; at most 127 bytes are used.
void setWindowTitle(std::string_view cp1251Title);
// The title as last set (already cut), for tests and the headless runner.
const std::string& windowTitle();

// ---- palette and colours ----
// Stores the entry at 6-bit precision (component / 4).
void setPaletteEntry(int index, int red, int green, int blue);
// The entry as the window shows it (stored * 255 / 63).
Rgb shownPaletteEntry(int index);
void setForeground(int colour);
void setBackground(int colour);
int foreground();
int background();

// ---- drawing on the work page ----
void clearPage();
// colour -1 means the foreground colour. Coordinates round half away from
// zero; both end points are included; fromLast starts at the last point.
void drawLine(float x1, float y1, float x2, float y2, int colour = -1,
              LineKind kind = LineKind::Line, bool fromLast = false);
// A line from the last point to (x2, y2).
void drawLineTo(float x2, float y2, int colour = -1);
// The pieces (x[0], y[0]) to itself, then (x[i - 1], y[i - 1]) to (x[i], y[i])
// for i = 1..n - 1, each with exactly the pixels of drawLine; the last point
// becomes the last of them.
void drawPolyline(const float* xs, const float* ys, int n, int colour = -1);
void drawCircle(float cx, float cy, float radius, int colour = -1, bool filled = false);
// Positions off the page are skipped.
void setPixel(int x, int y, int colour = -1);
float lastPointX();
float lastPointY();
void setLastPoint(float x, float y);

// ---- pages ----
void setPages(int work, int visible);
// -1, -1 copies the work page onto the visible page.
void copyPage(int from, int to);
int workPage();
int visiblePage();
// Read access for tests, screenshots and presenting.
const uint8_t* pagePixels(int page);
uint8_t pixelAt(int page, int x, int y);

// ---- input ----
// Key strings: one byte for a typed character; byte 255 and a second byte for
// the extended keys (DOS scan codes: Up "\xFFH", F1 "\xFF;", the close key
// "\xFFk", ...). The editing keys below take second bytes that no scan code
// uses: the key's letter with bit 7 set, capital with Shift.
constexpr std::string_view kKeyUndo = "\xFF\xFA";       // Ctrl+Z
constexpr std::string_view kKeyRedo = "\xFF\xF9";       // Ctrl+Y
constexpr std::string_view kKeyShiftRedo = "\xFF\xDA";  // Ctrl+Shift+Z
constexpr std::string_view kKeyF1 = "\xFF;";
constexpr std::string_view kKeyF2 = "\xFF<";
constexpr std::string_view kKeyF3 = "\xFF=";
// True for the three editing keys.
constexpr bool isEditingKey(std::string_view key) {
    return key == kKeyUndo || key == kKeyRedo || key == kKeyShiftRedo;
}
// The oldest waiting key string, or "" at once when none waits.
std::string readKey();
MouseReading readMouse();
// Copies the oldest event into e and returns true, or returns false at once.
bool popEvent(WindowEvent& e);
double timer();

// ---- random numbers ----
// Uniform in [0, 1).
double randomUnit();
// seed -1 seeds from the timer.
void seedRandom(double seed);

// ---- files ----
// First name matching "*.zag" in the working directory (no directories, no
// hidden files), or "" when there is none. Names come sorted by their bytes.
std::string listFirstPuzzleFile();
// The next name, "" when there are no more.
std::string listNextPuzzleFile();

// ---- ending the program ----
// Asks every loop to unwind; the process then ends with status 0.
void endProgram();
bool programEnding();
// Run by a host whose program can be taken away without ending (a browser
// page being left) just before that happens; the game keeps there what it
// would keep at its end. Null when there is nothing to keep.
extern void (*programLeavingHook)();
