#include "ImageFile.h"

#include "SessionTypes.h"

#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <limits>
#include <memory>

namespace kestrova::cli {

std::optional<Image> readImageFile(const std::string& path) {
    // A capture of a lobby is a few megabytes at most.
    constexpr std::size_t kMaxBytes = 64 * 1024 * 1024;
    const FileContents file = readWholeFile(path, kMaxBytes);
    if (!file.read())
        return std::nullopt;
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.bytes.data()),
                              static_cast<int>(file.bytes.size()), &width, &height, &channels, 3),
        stbi_image_free);
    if (!pixels || width <= 0 || height <= 0)
        return std::nullopt;
    Image image(width, height);
    const stbi_uc* rgb = pixels.get();
    for (std::uint32_t& pixel : image.pixels()) {
        pixel = kestrova::rgb(rgb[0], rgb[1], rgb[2]);
        rgb += 3;
    }
    return image;
}

}  // namespace kestrova::cli
