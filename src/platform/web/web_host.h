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
    // The display generation when the visible page was last compared with
    // the picture shown, and whether it differed then.
    unsigned comparedGeneration = 0;
    bool pictureWaiting = false;
    // When the host last gave the browser its turn (host timer seconds).
    double lastYield = 0.0;
};

extern WebHost webHost;

// web_present.cpp
// Compares the visible page with the picture shown when the game may have
// drawn something since (sets pictureWaiting).
void comparePicture();
// Shows the visible page on the canvas if it differs from the picture shown
// and a present is due.
void presentIfDue(double now);

// web_input.cpp
// Registers the canvas and keyboard callbacks.
void listenForInput();

// web_storage.cpp
// Writes files changed since the last call to the browser's storage, waiting
// until that is done; reports a failure on stderr and a save on the page.
void flushStorageIfChanged();
