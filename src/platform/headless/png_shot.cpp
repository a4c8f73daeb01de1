// PNG shots of the visible page.
#include <png.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/host.h"

bool writeVisiblePagePng(const std::string& fileName) {
    std::vector<uint8_t> rgb(static_cast<size_t>(kScreenWidth) * kScreenHeight * 3);
    renderVisibleRgb(rgb.data());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kScreenWidth;
    image.height = kScreenHeight;
    image.format = PNG_FORMAT_RGB;
    const int ok =
        png_image_write_to_file(&image, fileName.c_str(), 0, rgb.data(), kScreenWidth * 3, nullptr);
    png_image_free(&image);
    return ok != 0;
}
