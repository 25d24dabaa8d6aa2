#include "settings/Window2Conf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

Window2Conf Window2Conf::read(const std::filesystem::path& directory) {
    const auto bytes = readCompanionFile(directory, kFileName);
    return bytes ? fromBytes(*bytes) : Window2Conf{};
}

bool Window2Conf::write(const std::filesystem::path& directory, std::int32_t column,
                        bool ascending) {
    return writeCompanionFile(directory, kFileName, toBytes(column, ascending));
}

Window2Conf Window2Conf::fromBytes(std::string_view bytes) {
    Window2Conf conf;
    BinaryReader reader(bytes);
    conf.sortColumn = reader.readInt32();
    if (conf.sortColumn) {
        conf.orderFlag = reader.readInt32().value_or(conf.orderFlag);
    }
    return conf;
}

std::string Window2Conf::toBytes(std::int32_t column, bool ascending) {
    BinaryWriter writer;
    writer.writeInt32(column);
    writer.writeInt32(ascending ? 1 : 0);
    return writer.bytes();
}

}  // namespace kestrova
