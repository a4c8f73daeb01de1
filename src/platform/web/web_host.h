// The browser host's own state, shared by its source files: the canvas the
// picture goes to, what must be shown again, and the storage flush that
// follows every save. The page (web/) mounts the storage folder, passes the
// address parameters as the command line and shows the status line.
#pragma once

struct WebHost {
    bool open = false;
    // The picture must be shown again even if the game drew nothing new
    // (the canvas was resized or the page became visible again).
    bool redrawNeeded = true;
    // The game told the host that the page or the palette changed.
    bool changeReported = true;
    unsigned shownGeneration = 0;
    // When the host last gave the browser its turn (host timer seconds).
    double lastYield = 0.0;
    // When a picture other than the one before was last shown.
    double lastNewPicture = 0.0;
};

extern WebHost webHost;

// web_present.cpp
// Shows the visible page on the canvas if it changed and a refresh has passed.
void presentIfDue(double now);

// web_input.cpp
// Registers the canvas and keyboard callbacks.
void listenForInput();

// web_storage.cpp
// Writes files changed since the last call to the browser's storage, waiting
// until that is done; reports a failure on stderr and a save on the page.
void flushStorageIfChanged();
