// The text record conventions shared by puzzle files and saved games: field
// reading, the number rule, the pending numbers, the writers' number forms
// and safe replacement of a file on disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Reads fields from a file in large blocks. A field is at most 4096 bytes;
// longer text is cut there and the rest of the field skipped.
struct FieldReader {
    std::FILE* file = nullptr;
    std::vector<char> buffer;
    size_t pos = 0;
    size_t end = 0;
    bool atEof = false;
    std::string field;  // the field last read (reused, no per-field allocation)
    // The field last read by readFieldText: in the block when it lies there,
    // else in field. Valid until the next read.
    std::string_view text;
    bool textInBuffer = false;
};

// Opens the file; false when it cannot be opened (the reader then yields
// empty fields at its end).
bool openFields(FieldReader& r, const std::string& fileName);
// The same over bytes in memory, which must outlive the reading.
bool openFieldsInMemory(FieldReader& r, std::string_view bytes);
void closeFields(FieldReader& r);
// Reads the next field into r.field. Returns false when the file was already
// at its end before anything was read.
bool readField(FieldReader& r);
// The same field into r.text without copying it when it lies within one
// block, and without the look-ahead (fieldsAtEnd may lag one read behind).
bool readFieldText(FieldReader& r);
bool fieldsAtEnd(const FieldReader& r);

// The number rule: &H/&B/&O prefixes, otherwise optional sign and decimal
// digits; accumulated modulo 2^32; no digits give 0.
int32_t numberValue(std::string_view text);

// Numbers read since the last keyword.
extern std::vector<int32_t> pendingNumbers;

// ---- writing ----
void putKeyword(std::string& out, std::string_view keyword);  // "kw" CR LF
void putInt8(std::string& out, int8_t v);                     // n,
void putUInt16(std::string& out, uint16_t v);                 // n,
void putFloat(std::string& out, float v);                     // up to 7 digits,
void putDouble(std::string& out, double v);                   // up to 16 digits,
void putUInt32Line(std::string& out, uint32_t v);             // n CR LF
void putLineEnd(std::string& out);                            // CR LF
// Code bytes, each as a signed 8-bit number.
void putCodeBytes(std::string& out, std::string_view code);
// A string of one byte per pending number (its low 8 bits).
std::string codeFromPending();
