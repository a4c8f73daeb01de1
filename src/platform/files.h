// The file system, for the layers above: every call into the operating
// system's file interface is made here (and in the listing of puzzle files,
// platform.h). The level module owns the formats and the names of the game's
// files; it opens, probes, replaces and creates them through these.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

// Whether a file can be looked at before it is opened: Missing when it, or
// a folder on its path, does not exist; Unreadable for any other failure.
enum class FileProbe { Present, Missing, Unreadable };
FileProbe probeFile(const std::string& fileName);
// Opens fileName for reading in binary; null when it cannot be opened or is
// a folder.
std::FILE* openFileForReading(const std::string& fileName);
// The modification time of fileName when it is a plain file itself (a link
// of that name is not); false otherwise.
bool plainFileModified(const std::string& fileName, struct timespec& modified);
// Reads name whole into out when it is a regular file itself (a link, a
// folder or a device is not), stopping once more than limit bytes are read;
// false when it cannot be opened or read.
bool readPlainFile(const std::string& name, size_t limit, std::string& out);

// Replaces fileName with bytes: written to a temporary file beside it,
// flushed and renamed over it, so the old file survives any failure. A
// symbolic link is followed and kept; the file's permission bits are kept. A
// hard-linked file, a device, or a file beside which no temporary file can
// be made (a folder the user may not write to, a name at the length limit),
// or one whose owner the saver cannot give the temporary file, is written in
// place, with its room reserved before a byte changes. On failure the temporary file is removed,
// one line naming the file and the reason goes to stderr (saying so when the file was left
// incomplete), and false is returned.
bool replaceFile(const std::string& fileName, std::string_view bytes);
// Creates fileName holding bytes, flushed to disk, and never replaces
// anything: when the name is taken (by a file, a link, a folder) it returns
// false with exists set and says nothing. Any other failure leaves no file,
// writes one line naming the file and the reason to stderr, and returns false.
bool createFile(const std::string& fileName, std::string_view bytes, bool& exists);
