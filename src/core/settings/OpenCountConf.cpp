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
    BinaryReader reader(*bytes);
    return reader.readInt32().value_or(kDefaultCount);
}

bool OpenCountConf::write(const std::filesystem::path& directory, std::int32_t count) {
    BinaryWriter writer;
    writer.writeInt32(count);
    return writeCompanionFile(directory, kFileName, writer.bytes());
}

}  // namespace kestrova
