#include "settings/DirConf.h"

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "settings/CompanionFile.h"

namespace kestrova {

DirConf DirConf::read(const std::filesystem::path& directory) {
    DirConf conf;
    const auto bytes = readCompanionFile(directory, kFileName);
    if (!bytes) {
        return conf;
    }
    BinaryReader reader(*bytes);
    const auto flag = reader.readInt32();
    if (!flag) {
        return conf;
    }
    conf.saveFlag = *flag;
    conf.resultPath = reader.readCountedText(kMaxPathBytes).value_or(std::string());
    return conf;
}

bool DirConf::write(const std::filesystem::path& directory) const {
    if (resultPath.size() > kMaxPathBytes) {
        return false;
    }
    BinaryWriter writer;
    writer.writeInt32(saveFlag);
    writer.writeCountedText(resultPath);
    return writeCompanionFile(directory, kFileName, writer.bytes());
}

}  // namespace kestrova
