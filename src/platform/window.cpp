// Opening the window and its title.
#include "platform/core_state.h"
#include "platform/host.h"
#include "platform/platform.h"

namespace {

constexpr size_t kTitleLimit = 127;

std::string title;

}  // namespace

bool openWindow() {
    if (!hostOpenWindow()) return false;
    setPages(0, 0);
    return true;
}

void setWindowTitle(std::string_view cp1251Title) {
    title.assign(cp1251Title.substr(0, kTitleLimit));
    hostTitleChanged(title);
}

const std::string& windowTitle() {
    return title;
}

void resetWindowTitle() {
    title.clear();
}
