// Field reading: the file is read in 64 KiB blocks into one reused buffer and
// each field is cut from it as one run of bytes, pointed at in the block or
// copied into the reused field string, so any byte sequence (NUL, lone CR,
// endless quotes, huge files) is read in bounded memory and without an
// allocation per field.

#include "level/text_records.h"
#include "platform/files.h"

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr size_t kMaxField = 4096;

// Reads the next block; the next byte, or -1 at the end of the file. A read
// error counts as the end.
[[gnu::noinline]] int refill(FieldReader& r) {
    // The field being cut may still lie in the block about to be replaced.
    if (r.textInBuffer) {
        r.field.assign(r.text);
        r.text = r.field;
        r.textInBuffer = false;
    }
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

// The next byte without consuming it, or -1 at the end of the file.
[[gnu::always_inline]] inline int peekByte(FieldReader& r) {
    if (r.pos < r.end) return static_cast<unsigned char>(r.buffer[r.pos]);
    return refill(r);
}

void skipByte(FieldReader& r) {
    ++r.pos;
}

[[gnu::always_inline]] inline void skipBlanks(FieldReader& r) {
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

// Takes the bytes up to the first stop byte (or the end of the file) into
// the field, at most kMaxField of them; the stop byte is left unread. Returns
// it, or -1 at the end of the file. A field that lies within the block is
// only pointed at; one that runs on into the next block is copied.
template <typename Stop>
[[gnu::always_inline]] inline int takeRun(FieldReader& r, Stop isStop) {
    for (;;) {
        if (peekByte(r) < 0) return -1;
        const char* const start = r.buffer.data() + r.pos;
        const char* const limit = r.buffer.data() + r.end;
        const char* p = start;
        while (p < limit && !isStop(static_cast<unsigned char>(*p))) ++p;
        const size_t room = kMaxField - r.text.size();
        const size_t length = static_cast<size_t>(p - start);
        const size_t kept = length < room ? length : room;
        if (r.text.empty() && p < limit) {
            r.text = std::string_view(start, kept);
            r.textInBuffer = true;
        } else {
            if (r.textInBuffer) r.field.assign(r.text);
            r.textInBuffer = false;
            r.field.append(start, kept);
            r.text = r.field;
        }
        r.pos += length;
        if (p < limit) return static_cast<unsigned char>(*p);
    }
}

struct EndsUnquoted {
    bool operator()(unsigned char c) const { return c == ',' || c == '\r' || c == '\n'; }
};

struct EndsQuoted {
    bool operator()(unsigned char c) const { return c == '"' || c == '\r' || c == '\n'; }
};

}  // namespace

namespace {

void startFields(FieldReader& r) {
    closeFields(r);
    r.pos = 0;
    r.end = 0;
    r.atEof = true;
    r.field.clear();
    r.text = std::string_view();
    r.textInBuffer = false;
}

void readyFields(FieldReader& r) {
    if (r.buffer.size() != kBlockSize) r.buffer.resize(kBlockSize);
    r.field.reserve(kMaxField);
    r.atEof = false;
}

}  // namespace

bool openFields(FieldReader& r, const std::string& fileName) {
    startFields(r);
    r.file = openFileForReading(fileName);
    if (r.file == nullptr) return false;
    readyFields(r);
    return true;
}

bool openFieldsInMemory(FieldReader& r, std::string_view bytes) {
    startFields(r);
    if (bytes.empty()) return true;  // no stream needed: the reader is at its end
    // Only read from: the buffer is never written through the stream.
    r.file = ::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (r.file == nullptr) return false;
    readyFields(r);
    return true;
}

void closeFields(FieldReader& r) {
    if (r.file != nullptr) std::fclose(r.file);
    if (r.textInBuffer) r.field.assign(r.text);
    r.text = r.field;
    r.textInBuffer = false;
    r.file = nullptr;
    r.pos = 0;
    r.end = 0;
    r.atEof = true;
}

namespace {

// Cuts the next field into r.text; false at the end of the file.
[[gnu::always_inline]] inline bool cutField(FieldReader& r) {
    r.field.clear();
    r.text = std::string_view();
    r.textInBuffer = false;
    if (peekByte(r) < 0) return false;
    skipBlanks(r);
    if (peekByte(r) == '"') {
        skipByte(r);
        if (takeRun(r, EndsQuoted{}) == '"') {
            skipByte(r);
            skipBlanks(r);
            if (peekByte(r) == ',') {
                skipByte(r);
                return true;
            }
        }
        skipLineEnd(r);
    } else if (takeRun(r, EndsUnquoted{}) == ',') {
        skipByte(r);
    } else {
        skipLineEnd(r);
    }
    return true;
}

}  // namespace

bool readField(FieldReader& r) {
    if (!cutField(r)) return false;
    if (r.textInBuffer) {
        r.field.assign(r.text);
        r.text = r.field;
        r.textInBuffer = false;
    }
    // Look ahead so fieldsAtEnd knows at once when nothing follows.
    peekByte(r);
    return true;
}

bool readFieldText(FieldReader& r) {
    // The usual field, a few bytes ended by a comma within the block, is cut
    // here at once; every other shape goes the whole way.
    if (r.pos < r.end) {
        const char* const start = r.buffer.data() + r.pos;
        const char* const limit = r.buffer.data() + r.end;
        if (*start != ' ' && *start != '\t' && *start != '"') {
            const char* p = start;
            while (p < limit && !EndsUnquoted{}(static_cast<unsigned char>(*p))) ++p;
            if (p < limit && *p == ',' && static_cast<size_t>(p - start) <= kMaxField) {
                r.text = std::string_view(start, static_cast<size_t>(p - start));
                r.textInBuffer = true;
                r.pos += static_cast<size_t>(p - start) + 1;
                return true;
            }
        }
    }
    return cutField(r);
}

bool fieldsAtEnd(const FieldReader& r) {
    return r.atEof && r.pos >= r.end;
}
