// Field reading: the file is read in 64 KiB blocks into one reused buffer and
// fields are cut from it byte by byte, so any byte sequence (NUL, lone CR,
// endless quotes, huge files) is read in bounded memory.
#include <sys/stat.h>

#include "level/text_records.h"

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr size_t kMaxField = 4096;

// The next byte without consuming it, or -1 at the end of the file. A read
// error counts as the end.
int peekByte(FieldReader& r) {
    if (r.pos < r.end) return static_cast<unsigned char>(r.buffer[r.pos]);
    if (r.atEof || r.file == nullptr) {
        r.atEof = true;
        return -1;
    }
    r.pos = 0;
    r.end = std::fread(r.buffer.data(), 1, r.buffer.size(), r.file);
    if (r.end == 0) {
        r.atEof = true;
        return -1;
    }
    return static_cast<unsigned char>(r.buffer[0]);
}

void skipByte(FieldReader& r) {
    ++r.pos;
}

void skipBlanks(FieldReader& r) {
    for (int c = peekByte(r); c == ' ' || c == '\t'; c = peekByte(r)) skipByte(r);
}

// Consumes CR LF, LF or CR.
void skipLineEnd(FieldReader& r) {
    const int c = peekByte(r);
    if (c == '\n') {
        skipByte(r);
    } else if (c == '\r') {
        skipByte(r);
        if (peekByte(r) == '\n') skipByte(r);
    }
}

void keep(FieldReader& r, int c) {
    if (r.field.size() < kMaxField) r.field.push_back(static_cast<char>(c));
}

}  // namespace

bool openFields(FieldReader& r, const std::string& fileName) {
    closeFields(r);
    r.pos = 0;
    r.end = 0;
    r.atEof = true;
    r.field.clear();
    r.file = std::fopen(fileName.c_str(), "rb");
    if (r.file == nullptr) return false;
    struct stat info {};
    if (fstat(fileno(r.file), &info) != 0 || S_ISDIR(info.st_mode)) {
        closeFields(r);
        return false;
    }
    if (r.buffer.size() != kBlockSize) r.buffer.resize(kBlockSize);
    r.atEof = false;
    return true;
}

void closeFields(FieldReader& r) {
    if (r.file != nullptr) std::fclose(r.file);
    r.file = nullptr;
    r.pos = 0;
    r.end = 0;
    r.atEof = true;
}

bool readField(FieldReader& r) {
    r.field.clear();
    if (peekByte(r) < 0) return false;
    skipBlanks(r);
    int c = peekByte(r);
    if (c == '"') {
        skipByte(r);
        for (c = peekByte(r); c >= 0 && c != '"' && c != '\r' && c != '\n'; c = peekByte(r)) {
            keep(r, c);
            skipByte(r);
        }
        if (c == '"') {
            skipByte(r);
            skipBlanks(r);
            if (peekByte(r) == ',') {
                skipByte(r);
                peekByte(r);
                return true;
            }
        }
        skipLineEnd(r);
    } else {
        for (; c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peekByte(r)) {
            keep(r, c);
            skipByte(r);
        }
        if (c == ',') {
            skipByte(r);
        } else {
            skipLineEnd(r);
        }
    }
    // Look ahead so fieldsAtEnd knows at once when nothing follows.
    peekByte(r);
    return true;
}

bool fieldsAtEnd(const FieldReader& r) {
    return r.atEof && r.pos >= r.end;
}
