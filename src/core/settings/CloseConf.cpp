#include "settings/CloseConf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

CloseConf CloseConf::read(const std::filesystem::path& directory, CloseConf previous) {
    const auto bytes = readCompanionFile(directory, kFileName);
    if (!bytes) {
        return previous;
    }
    return fromBytes(*bytes, previous);
}

CloseConf CloseConf::fromBytes(std::string_view bytes, CloseConf previous) {
    BinaryReader reader(bytes);
    for (std::int32_t* field : {&previous.flag, &previous.lowerPotBb, &previous.upperPotBb}) {
        const auto value = reader.readInt32();
        if (!value) {
            break;
        }
        *field = *value;
    }
    return previous;
}

CloseConf CloseConf::read(const std::filesystem::path& directory) {
    return read(directory, CloseConf{});
}

bool CloseConf::write(const std::filesystem::path& directory) const {
    return writeCompanionFile(directory, kFileName, toBytes());
}

std::string CloseConf::toBytes() const {
    BinaryWriter writer;
    writer.writeInt32(flag);
    writer.writeInt32(lowerPotBb);
    writer.writeInt32(upperPotBb);
    return writer.bytes();
}

}  // namespace kestrova
