// The stroke strings of the font, one per Windows-1251 byte.
//
// Each string starts at the lower-left corner of its 20x20 cell on the
// baseline and leaves the pen 25 to the right on the same baseline. Upper and
// lower case share a glyph, and so do Latin and Cyrillic letters of the same
// shape. Bytes without a glyph of their own only advance the pen.

#include "text/stroke_font.h"

namespace {

constexpr const char* kBlank = "br25";
constexpr const char* kDigit0 = "br15 l10 h5 u10 e5 r10 f5 d10 ng5 nh15 bf5";           // 0
constexpr const char* kDigit1 = "bu10 e10 d20 br15";                                    // 1
constexpr const char* kDigit2 = "bu15 e5 r10 f5 g5 l5 g10 r20 br5";                     // 2
constexpr const char* kDigit3 = "bu15 e5 r10 f5 g5 nl5 f5 g5 l10 h5 bd5 br25";          // 3, З, з
constexpr const char* kDigit4 = "bu5 nr20 e15 d20 br10";                                // 4
constexpr const char* kDigit5 = "r15 e5 h5 l15 u10 r15 bd20 br10";                      // 5
constexpr const char* kDigit6 = "br5 nh5 r10 e5 h5 l10 g5 u10 e5 r10 bd20 br10";        // 6
constexpr const char* kDigit7 = "bu20 r20 g20 br25";                                    // 7
constexpr const char* kDigit8 = "br5 nh5 r10 e5 h5 l10 ng5 h5 e5 r10 f5 ng5 bd15 br5";  // 8
constexpr const char* kDigit9 = "br5 r10 e5 u10 h5 l10 g5 f5 r10 e5 bd15 br5";          // 9
constexpr const char* kPlus = "bu10 r10 nu10 nr10 d10 br15";                            // +
constexpr const char* kMinus = "bu10 r20 bd10 br5";                                     // -
constexpr const char* kLetterA = "u10 e10 f10 d5 nl20 d5 br5";                    // A, a, А, а
constexpr const char* kLetterB = "u20 r15 f5 g5 nl15 f5 g5 l15 br25";             // B, b, В, в
constexpr const char* kLetterC = "br10 nr10 h10 e10 r10 bd20 br5";                // C, c, С, с
constexpr const char* kLetterD = "u20 r10 f10 g10 l10 br25";                      // D, d
constexpr const char* kLetterE = "nr20 u10 nr20 u10 r20 bd20 br5";                // E, e, Е, е
constexpr const char* kLetterF = "u10 nr20 u10 r20 bd20 br5";                     // F, f
constexpr const char* kLetterG = "br10 nr10 h10 e10 r10 bd10 nl10 d10 br5";       // G, g
constexpr const char* kLetterH = "u10 nu10 r20 nu10 d10 br5";                     // H, h, Н, н
constexpr const char* kLetterI = "bu20 br5 r5 nr5 d20 nl5 r5 br10";               // I, i
constexpr const char* kLetterJ = "bu5 f5 r10 e5 nu15 bf5";                        // J, j, Ј, ј
constexpr const char* kLetterK = "u10 nu10 r10 ne10 f10 br5";                     // K, k, К, к
constexpr const char* kLetterL = "nu20 r20 br5";                                  // L, l
constexpr const char* kLetterM = "u20 f10 e10 d20 br5";                           // M, m, М, м
constexpr const char* kLetterN = "u20 f20 nu20 br5";                              // N, n
constexpr const char* kLetterO = "br15 l10 h5 u10 e5 r10 f5 d10 ng5 bf5";         // O, o, О, о
constexpr const char* kLetterP = "u10 nr15 u10 r15 f5 ng5 bd15 br5";              // P, p, Р, р
constexpr const char* kLetterQ = "br15 l10 h5 u10 e5 r10 f5 d10 ng5 bl5 f5 br5";  // Q, q
constexpr const char* kLetterR = "u10 nr15 u10 r15 f5 ng5 bd15 nh10 br5";         // R, r
constexpr const char* kLetterS = "r15 e5 h5 l10 h5 e5 r15 bd20 br5";              // S, s
constexpr const char* kLetterT = "br10 u20 nl10 r10 bd20 br5";                    // T, t, Т, т
constexpr const char* kLetterU = "nu20 r20 nu20 br5";                             // U, u
constexpr const char* kLetterV = "bu10 nu10 f10 e10 nu10 bd10 br5";               // V, v
constexpr const char* kLetterW = "nu20 e10 f10 nu20 br5";                         // W, w
constexpr const char* kLetterX = "e20 bl20 f20 br5";                              // X, x, Х, х
constexpr const char* kLetterY = "bu20 f10 nd10 e10 bd20 br5";                    // Y, y
constexpr const char* kLetterZ = "bu20 r20 g20 r20 br5";                          // Z, z
constexpr const char* kBe = "r15 e5 h5 l15 nd10 u10 r20 br5 bd20";                // Б, б
constexpr const char* kGhe = "u20 r20 br5 bd20";                                  // Г, г
constexpr const char* kDe = "u5 r5 u10 e5 r5 d15 nl10 r5 d5 br5";                 // Д, д
constexpr const char* kDje = "bu20 r5 nr15 d10 nd10 r10 f5 g5 l5 br15";           // Ђ, ђ
constexpr const char* kZhe = "e5 u5 nr10 u5 h5 br10 nd20 br10 g5 d10 f5 br5";     // Ж, ж
constexpr const char* kCyrillicI = "nu20 e20 d20 br5";                            // И, и
constexpr const char* kEl = "e5 u10 e5 r10 d20 br5";                              // Л, л
constexpr const char* kLje = "e5 u15 r10 d10 nd10 f5 d5 nl5 br5";                 // Љ, љ
constexpr const char* kNje = "u10 nu10 r15 nu10 nd10 f5 d5 nl5 br5";              // Њ, њ
constexpr const char* kPe = "u20 r20 d20 br5";                                    // П, п
constexpr const char* kTshe = "bu20 r5 nr15 d10 nd10 r10 f5 d5 br5";              // Ћ, ћ
constexpr const char* kCyrillicU = "bu15 nu5 f5 r15 nu10 d5 g5 l15 br25";         // У, у
constexpr const char* kEf = "bu5 f5 e5 nd5 nu15 f5 e5 u10 h5 g5 h5 g5 d10 br25 bd5";  // Ф, ф
constexpr const char* kTse = "bu5 nu15 r15 nu15 r5 d5 br5";                           // Ц, ц
constexpr const char* kChe = "bu20 d5 f5 r15 nu10 d10 br5";                           // Ч, ч
constexpr const char* kDzhe = "bu5 nu15 r10 nd5 r10 nu15 bf5";                        // Џ, џ
constexpr const char* kSha = "nu20 r10 nu20 r10 nu20 br5";                            // Ш, ш
}  // namespace

const char* const glyphTable[256] = {
    kBlank,     kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 0..7
    kBlank,     kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 8..15
    kBlank,     kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 16..23
    kBlank,     kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 24..31
    kBlank,     kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 32..39
    kBlank,     kBlank,   kBlank,   kPlus,      kBlank,   kMinus,   kBlank,   kBlank,    // 40..47
    kDigit0,    kDigit1,  kDigit2,  kDigit3,    kDigit4,  kDigit5,  kDigit6,  kDigit7,   // 48..55
    kDigit8,    kDigit9,  kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 56..63
    kBlank,     kLetterA, kLetterB, kLetterC,   kLetterD, kLetterE, kLetterF, kLetterG,  // 64..71
    kLetterH,   kLetterI, kLetterJ, kLetterK,   kLetterL, kLetterM, kLetterN, kLetterO,  // 72..79
    kLetterP,   kLetterQ, kLetterR, kLetterS,   kLetterT, kLetterU, kLetterV, kLetterW,  // 80..87
    kLetterX,   kLetterY, kLetterZ, kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 88..95
    kBlank,     kLetterA, kLetterB, kLetterC,   kLetterD, kLetterE, kLetterF, kLetterG,  // 96..103
    kLetterH,   kLetterI, kLetterJ, kLetterK,   kLetterL, kLetterM, kLetterN, kLetterO,  // 104..111
    kLetterP,   kLetterQ, kLetterR, kLetterS,   kLetterT, kLetterU, kLetterV, kLetterW,  // 112..119
    kLetterX,   kLetterY, kLetterZ, kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 120..127
    kDje,       kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 128..135
    kBlank,     kBlank,   kLje,     kBlank,     kNje,     kBlank,   kTshe,    kDzhe,     // 136..143
    kDje,       kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 144..151
    kBlank,     kBlank,   kLje,     kBlank,     kNje,     kBlank,   kTshe,    kDzhe,     // 152..159
    kBlank,     kBlank,   kBlank,   kLetterJ,   kBlank,   kBlank,   kBlank,   kBlank,    // 160..167
    kBlank,     kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 168..175
    kBlank,     kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 176..183
    kBlank,     kBlank,   kBlank,   kBlank,     kLetterJ, kBlank,   kBlank,   kBlank,    // 184..191
    kLetterA,   kBe,      kLetterB, kGhe,       kDe,      kLetterE, kZhe,     kDigit3,   // 192..199
    kCyrillicI, kBlank,   kLetterK, kEl,        kLetterM, kLetterH, kLetterO, kPe,       // 200..207
    kLetterP,   kLetterC, kLetterT, kCyrillicU, kEf,      kLetterX, kTse,     kChe,      // 208..215
    kSha,       kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 216..223
    kLetterA,   kBe,      kLetterB, kGhe,       kDe,      kLetterE, kZhe,     kDigit3,   // 224..231
    kCyrillicI, kBlank,   kLetterK, kEl,        kLetterM, kLetterH, kLetterO, kPe,       // 232..239
    kLetterP,   kLetterC, kLetterT, kCyrillicU, kEf,      kLetterX, kTse,     kChe,      // 240..247
    kSha,       kBlank,   kBlank,   kBlank,     kBlank,   kBlank,   kBlank,   kBlank,    // 248..255
};
