#include "settings/ColumnConf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

namespace {

// True when all `count` widths were there.
bool readWidths(BinaryReader& reader, std::vector<std::int32_t>& widths) {
    const auto count = reader.readCount(4);
    if (!count) {
        return false;
    }
    widths.reserve(count->possible);
    for (std::size_t i = 0; i < count->possible; ++i) {
        widths.push_back(*reader.readInt32());
    }
    return count->possible == count->stored;
}

void writeWidths(BinaryWriter& writer, const std::vector<std::int32_t>& widths) {
    writer.writeInt32(static_cast<std::int32_t>(widths.size()));
    for (const std::int32_t width : widths) {
        writer.writeInt32(width);
    }
}

}  // namespace

ColumnConf ColumnConf::read(const std::filesystem::path& directory) {
    const auto bytes = readCompanionFile(directory, kFileName);
    return bytes ? fromBytes(*bytes) : ColumnConf{};
}

ColumnConf ColumnConf::fromBytes(std::string_view bytes) {
    ColumnConf conf;
    BinaryReader reader(bytes);
    if (readWidths(reader, conf.tableWidths)) {
        readWidths(reader, conf.playerWidths);
    }
    return conf;
}

bool ColumnConf::write(const std::filesystem::path& directory) const {
    return writeCompanionFile(directory, kFileName, toBytes());
}

std::string ColumnConf::toBytes() const {
    BinaryWriter writer;
    writeWidths(writer, tableWidths);
    writeWidths(writer, playerWidths);
    return writer.bytes();
}

}  // namespace kestrova
