#include "settings/Window2Conf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

Window2Conf Window2Conf::read(const std::filesystem::path& directory) {
    Window2Conf conf;
    const auto bytes = readCompanionFile(directory, kFileName);
    if (!bytes) {
        return conf;
    }
    BinaryReader reader(*bytes);
    conf.sortColumn = reader.readInt32();
    if (conf.sortColumn) {
        conf.orderFlag = reader.readInt32().value_or(conf.orderFlag);
    }
    return conf;
}

bool Window2Conf::write(const std::filesystem::path& directory, std::int32_t column,
                        bool ascending) {
    BinaryWriter writer;
    writer.writeInt32(column);
    writer.writeInt32(ascending ? 1 : 0);
    return writeCompanionFile(directory, kFileName, writer.bytes());
}

}  // namespace kestrova
