// Scratch files for the fuzz targets: one private directory per process,
// on a memory file system when there is one, removed when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The directory (absolute, no trailing slash); made on first use.
const std::string& scratchDir();
// scratchDir() + "/" + name.
std::string scratchPath(const std::string& name);
// Replaces the file with exactly these bytes; aborts when it cannot.
void writeScratchFile(const std::string& path, const uint8_t* data, size_t size);
void writeScratchFile(const std::string& path, const std::string& bytes);
std::string readScratchFile(const std::string& path);
// Stops the run with a message naming the broken rule (a crash for libFuzzer).
[[noreturn]] void fuzzFail(const char* what, long detail = 0);
