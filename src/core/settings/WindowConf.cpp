#include "settings/WindowConf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

namespace {

bool inUnsignedRange(std::int32_t value, std::int32_t max) {
    return static_cast<std::uint32_t>(value) <= static_cast<std::uint32_t>(max);
}

}  // namespace

std::optional<WindowConf> WindowConf::read(const std::filesystem::path& directory) {
    const auto bytes = readCompanionFile(directory, kFileName);
    if (!bytes) {
        return std::nullopt;
    }
    return fromBytes(*bytes);
}

WindowConf WindowConf::fromBytes(std::string_view bytes) {
    WindowConf conf;
    BinaryReader reader(bytes);
    for (std::int32_t* field :
         {&conf.tableSortColumn, &conf.playerSortColumn, &conf.width, &conf.height}) {
        const auto value = reader.readInt32();
        if (!value) {
            break;
        }
        *field = *value;
    }
    return conf;
}

bool WindowConf::write(const std::filesystem::path& directory) const {
    return writeCompanionFile(directory, kFileName, toBytes());
}

std::string WindowConf::toBytes() const {
    BinaryWriter writer;
    writer.writeInt32(tableSortColumn);
    writer.writeInt32(playerSortColumn);
    writer.writeInt32(width);
    writer.writeInt32(height);
    return writer.bytes();
}

WindowStartGeometry WindowStartGeometry::from(const std::optional<WindowConf>& file) {
    WindowStartGeometry geometry;
    if (!file) {
        return geometry;
    }
    if (inUnsignedRange(file->tableSortColumn, kMaxTableSortColumn)) {
        geometry.tableSortColumn = file->tableSortColumn;
    }
    if (inUnsignedRange(file->playerSortColumn, kMaxPlayerSortColumn)) {
        geometry.playerSortColumn = file->playerSortColumn;
    }
    if (file->width >= 0 && file->width <= kMaxWidth && file->height >= 0 &&
        file->height <= kMaxHeight) {
        geometry.width = file->width;
        geometry.height = file->height;
    }
    return geometry;
}

}  // namespace kestrova
