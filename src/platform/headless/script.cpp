// The scenario script: parsing it into timed commands and playing them as
// virtual time reaches them.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/cp1251.h"
#include "platform/headless/headless.h"
#include "platform/headless/host_state.h"
#include "platform/host.h"
#include "platform/keys.h"

namespace {

// End marks the close of trailing waits and does nothing.
enum class Op { Move, Press, Release, Leave, Key, Close, Shot, End };

struct Command {
    int64_t atMicros = 0;
    Op op = Op::End;
    int x = 0;
    int y = 0;
    int button = 0;    // Press, Release
    std::string text;  // Key: the key string; Shot: the file name
};

Command makeCommand(int64_t atMicros, Op op) {
    Command command;
    command.atMicros = atMicros;
    command.op = op;
    return command;
}

struct Script {
    std::vector<Command> commands;
    size_t next = 0;
};

Script script;

// Longest single wait, so a typo cannot stall a run for years.
constexpr double kLongestWaitSeconds = 86400.0;
constexpr long kCoordinateLimit = 100000;
constexpr int64_t kClickHalfMicros = 50000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits off the next blank-separated word of rest.
std::string_view nextWord(std::string_view& rest) {
    size_t start = 0;
    while (start < rest.size() && isBlank(rest[start])) ++start;
    size_t end = start;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

// Seconds as plain decimals only: "2", "0.05", ".5".
bool parseSeconds(std::string_view word, int64_t& micros) {
    bool digits = false;
    bool point = false;
    for (char c : word) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    const double seconds = std::strtod(std::string(word).c_str(), nullptr);
    if (!(seconds <= kLongestWaitSeconds)) return false;
    micros = std::llround(seconds * 1e6);
    return true;
}

bool parseInteger(std::string_view word, long lo, long hi, int& value) {
    std::string_view digits = word;
    if (!digits.empty() && digits[0] == '-') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 9) return false;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
    }
    const long v = std::strtol(std::string(word).c_str(), nullptr, 10);
    if (v < lo || v > hi) return false;
    value = static_cast<int>(v);
    return true;
}

bool parseButton(std::string_view word, int& button) {
    if (word == "left") {
        button = 1;
    } else if (word == "right") {
        button = 2;
    } else if (word == "middle") {
        button = 4;
    } else {
        return false;
    }
    return true;
}

// A single UTF-8 character or a key name.
bool parseKey(std::string_view word, std::string& keyString, std::string& reason) {
    for (const KeyEntry& k : kKeyTable) {
        if (!k.name.empty() && word == k.name) {
            keyString = k.string;
            return true;
        }
    }
    const std::optional<std::string> bytes = utf8ToCp1251(word);
    if (bytes && bytes->size() == 1) {
        keyString = *bytes;
        return true;
    }
    if (!bytes && word.size() <= 4 && (static_cast<uint8_t>(word[0]) & 0xC0) == 0xC0) {
        reason = "no Windows-1251 byte for '" + std::string(word) + "'";
    } else {
        reason = "unknown key '" + std::string(word) + "'";
    }
    return false;
}

// Parses one line into commands at time now, which a wait moves on.
bool parseLine(std::string_view line, int64_t& now, std::vector<Command>& out,
               std::string& reason) {
    std::string_view rest = line;
    const std::string_view verb = nextWord(rest);
    if (verb.empty() || verb[0] == '#') return true;

    // type keeps the rest of the line after one blank, blanks and '#' included.
    if (verb == "type") {
        if (rest.size() < 2) {
            reason = "missing argument";
            return false;
        }
        const std::optional<std::string> bytes = utf8ToCp1251(rest.substr(1));
        if (!bytes) {
            reason = "text with a character that has no Windows-1251 byte";
            return false;
        }
        for (char c : *bytes) {
            Command command = makeCommand(now, Op::Key);
            command.text.assign(1, c);
            out.push_back(command);
        }
        return true;
    }

    std::vector<std::string_view> args;
    for (std::string_view word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
        // A trailing comment; key keeps "#" as the character it names.
        if (word[0] == '#' && !(verb == "key" && args.empty())) break;
        args.push_back(word);
    }
    const auto arity = [&](size_t least, size_t most) {
        if (args.size() < least) {
            reason = "missing argument";
            return false;
        }
        if (args.size() > most) {
            reason = "unexpected '" + std::string(args[most]) + "'";
            return false;
        }
        return true;
    };
    const auto point = [&](Command& command) {
        if (!parseInteger(args[0], -kCoordinateLimit, kCoordinateLimit, command.x) ||
            !parseInteger(args[1], -kCoordinateLimit, kCoordinateLimit, command.y)) {
            reason = "bad coordinate";
            return false;
        }
        return true;
    };

    if (verb == "wait") {
        if (!arity(1, 1)) return false;
        int64_t micros = 0;
        if (!parseSeconds(args[0], micros)) {
            reason = "bad number '" + std::string(args[0]) + "'";
            return false;
        }
        now += micros;
    } else if (verb == "move") {
        Command command = makeCommand(now, Op::Move);
        if (!arity(2, 2) || !point(command)) return false;
        out.push_back(command);
    } else if (verb == "press" || verb == "release") {
        Command command = makeCommand(now, verb == "press" ? Op::Press : Op::Release);
        if (!arity(1, 1)) return false;
        if (!parseButton(args[0], command.button)) {
            reason = "unknown button '" + std::string(args[0]) + "'";
            return false;
        }
        out.push_back(command);
    } else if (verb == "click") {
        Command move = makeCommand(now, Op::Move);
        if (!arity(2, 3) || !point(move)) return false;
        int button = 1;
        if (args.size() == 3 && !parseButton(args[2], button)) {
            reason = "unknown button '" + std::string(args[2]) + "'";
            return false;
        }
        out.push_back(move);
        Command press = makeCommand(now, Op::Press);
        press.button = button;
        out.push_back(press);
        now += kClickHalfMicros;
        Command release = makeCommand(now, Op::Release);
        release.button = button;
        out.push_back(release);
        now += kClickHalfMicros;
    } else if (verb == "leave" || verb == "close") {
        if (!arity(0, 0)) return false;
        out.push_back(makeCommand(now, verb == "leave" ? Op::Leave : Op::Close));
    } else if (verb == "key") {
        Command command = makeCommand(now, Op::Key);
        if (!arity(1, 1) || !parseKey(args[0], command.text, reason)) return false;
        out.push_back(command);
    } else if (verb == "byte") {
        Command command = makeCommand(now, Op::Key);
        int value = 0;
        if (!arity(1, 1)) return false;
        if (args[0][0] == '-' || !parseInteger(args[0], 0, 255, value)) {
            reason = "bad byte '" + std::string(args[0]) + "'";
            return false;
        }
        command.text.assign(1, static_cast<char>(value));
        out.push_back(command);
    } else if (verb == "shot") {
        Command command = makeCommand(now, Op::Shot);
        if (!arity(1, 1)) return false;
        command.text = std::string(args[0]);
        out.push_back(command);
    } else {
        reason = "unknown command '" + std::string(verb) + "'";
        return false;
    }
    return true;
}

void apply(const Command& command) {
    switch (command.op) {
        case Op::Move:
            headlessSetMouse(command.x, command.y, headlessButtons());
            break;
        case Op::Press:
            headlessSetButtons(headlessButtons() | command.button);
            break;
        case Op::Release:
            headlessSetButtons(headlessButtons() & ~command.button);
            break;
        case Op::Leave:
            headlessLeave();
            break;
        case Op::Key:
            queueKey(command.text);
            break;
        case Op::Close:
            queueCloseRequest();
            break;
        case Op::End:
            break;
        case Op::Shot:
            if (!writeVisiblePagePng(command.text)) {
                std::fprintf(stderr, "orvet-script: cannot write %s\n", command.text.c_str());
            }
            break;
    }
}

}  // namespace

bool headlessLoadScript(const std::string& text, std::string& error) {
    clearScript();
    std::vector<Command> commands;
    int64_t now = 0;
    size_t lineStart = 0;
    int lineNumber = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        std::string_view line(text.data() + lineStart, lineEnd - lineStart);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNumber;
        std::string reason;
        if (!parseLine(line, now, commands, reason)) {
            error = "line " + std::to_string(lineNumber) + ": " + reason;
            return false;
        }
        lineStart = lineEnd + 1;
    }
    // Waits after the last command still count: the script lasts until then.
    if (!commands.empty() ? now > commands.back().atMicros : now > 0) {
        commands.push_back(makeCommand(now, Op::End));
    }
    script.commands = std::move(commands);
    script.next = 0;
    return true;
}

double headlessScriptEnd() {
    if (script.commands.empty()) return 0.0;
    return static_cast<double>(script.commands.back().atMicros) / 1e6;
}

bool headlessScriptDone() {
    return script.next >= script.commands.size();
}

void applyDueScriptCommands(int64_t nowMicros) {
    while (script.next < script.commands.size() &&
           script.commands[script.next].atMicros <= nowMicros) {
        apply(script.commands[script.next++]);
    }
}

void clearScript() {
    script = Script();
}
