// The process-wide request to end the program.
#include <atomic>

#include "platform/core_state.h"
#include "platform/platform.h"

namespace {

std::atomic<bool> ending{false};

}  // namespace

void (*programLeavingHook)() = nullptr;

void endProgram() {
    ending = true;
}
bool programEnding() {
    return ending;
}
void resetProgramEnding() {
    ending = false;
}
