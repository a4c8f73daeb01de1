// The page's fsync. Emscripten's own one stores the whole folder in the
// browser's storage there and then: in the middle of a save, with the
// temporary file not yet renamed, and waking the game outside the runtime's
// callbacks, so that a save as the game ends (the editor's recovery file)
// left the program unable to end. The host stores the folder after every
// change before the game goes on, and once more when it ends
// (web_storage.cpp, page.js), so fsync has nothing left to do.
mergeInto(LibraryManager.library, {
  fd_sync: function (fd) {
    return 0;
  },
});
