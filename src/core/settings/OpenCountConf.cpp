#include "settings/OpenCountConf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

std::int32_t OpenCountConf::read(const std::filesystem::path& directory) {
    const auto bytes = readCompanionFile(directory, kFileName);
    if (!bytes) {
        return kDefaultCount;
    }
    return fromBytes(*bytes);
}

bool OpenCountConf::write(const std::filesystem::path& directory, std::int32_t count) {
    return writeCompanionFile(directory, kFileName, toBytes(count));
}

std::int32_t OpenCountConf::fromBytes(std::string_view bytes) {
    BinaryReader reader(bytes);
    return reader.readInt32().value_or(kDefaultCount);
}

std::string OpenCountConf::toBytes(std::int32_t count) {
    BinaryWriter writer;
    writer.writeInt32(count);
    return writer.bytes();
}

}  // namespace kestrova
