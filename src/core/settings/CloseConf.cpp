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
    BinaryReader reader(*bytes);
    for (std::int32_t* field : {&previous.flag, &previous.lowerPotBb, &previous.upperPotBb}) {
        const auto value = reader.readInt32();
        if (!value) {
            break;
        }
        *field = *value;
    }
    return previous;
}

bool CloseConf::write(const std::filesystem::path& directory) const {
    BinaryWriter writer;
    writer.writeInt32(flag);
    writer.writeInt32(lowerPotBb);
    writer.writeInt32(upperPotBb);
    return writeCompanionFile(directory, kFileName, writer.bytes());
}

}  // namespace kestrova
