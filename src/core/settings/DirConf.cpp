#include "settings/DirConf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

DirConf DirConf::read(const std::filesystem::path& directory) {
    const auto bytes = readCompanionFile(directory, kFileName);
    return bytes ? fromBytes(*bytes) : DirConf{};
}

DirConf DirConf::fromBytes(std::string_view bytes) {
    DirConf conf;
    BinaryReader reader(bytes);
    const auto flag = reader.readInt32();
    if (!flag) {
        return conf;
    }
    conf.saveFlag = *flag;
    conf.resultPath = reader.readCountedText(kMaxPathBytes).value_or(std::string());
    return conf;
}

bool DirConf::write(const std::filesystem::path& directory) const {
    const auto bytes = toBytes();
    return bytes && writeCompanionFile(directory, kFileName, *bytes);
}

std::optional<std::string> DirConf::toBytes() const {
    if (resultPath.size() > kMaxPathBytes) {
        return std::nullopt;
    }
    BinaryWriter writer;
    writer.writeInt32(saveFlag);
    writer.writeCountedText(resultPath);
    return writer.bytes();
}

}  // namespace kestrova
