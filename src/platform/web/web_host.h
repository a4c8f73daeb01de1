// The browser host's own state, shared by its source files: the canvas the
// picture goes to, what must be shown again, and the storage flush that
// follows every save. The page (web/) mounts the storage folder, passes the
// address parameters as the command line and shows the status line.
#pragma once

#include "platform/window/shown_picture.h"

struct WebHost {
    bool open = false;
    // Whether the picture on the canvas is current.
    ShownPicture shown;
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
