#include "common/BinaryReader.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "common/BinaryWriter.h"

namespace kestrova {
namespace {

using test::bytes;

TEST(BinaryReader, ReadsLittleEndianWhateverTheHost) {
    const std::string data = bytes("\x78\x56\x34\x12\xff\xff\xff\xff\x00\x00\x00\x80");
    BinaryReader reader(data);
    EXPECT_EQ(reader.readInt32(), 0x12345678);
    EXPECT_EQ(reader.readInt32(), -1);
    EXPECT_EQ(reader.readInt32(), INT32_MIN);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readInt32(), std::nullopt);
}

TEST(BinaryReader, RejectedTextLeavesPositionAtItsLength) {
    const std::string data = bytes(
        "\x05\x00\x00\x00"
        "abc");
    BinaryReader reader(data);
    EXPECT_EQ(reader.readCountedText(100), std::nullopt);
    EXPECT_EQ(reader.position(), 0u);
    EXPECT_EQ(reader.readInt32(), 5);
}

TEST(BinaryReader, TextAtTheBufferLimitIsAccepted) {
    const std::string data = bytes(
        "\x03\x00\x00\x00"
        "abc");
    BinaryReader exact(data);
    EXPECT_EQ(exact.readCountedText(3), "abc");
    BinaryReader tooSmall(data);
    EXPECT_EQ(tooSmall.readCountedText(2), std::nullopt);
}

TEST(BinaryReader, CountIsCappedByWhatTheBytesCanHold) {
    const std::string data = bytes("\xff\xff\xff\x7f\x01\x00\x00\x00\x02\x00\x00\x00");
    BinaryReader reader(data);
    const auto count = reader.readCount(4);
    ASSERT_TRUE(count);
    EXPECT_EQ(count->stored, 0x7fffffffu);
    EXPECT_EQ(count->possible, 2u);
}

TEST(BinaryWriter, WritesWhatTheReaderReads) {
    BinaryWriter writer;
    writer.writeInt32(-2);
    ASSERT_TRUE(writer.writeCountedText(std::string("a\0b", 3)));
    EXPECT_EQ(writer.bytes(), bytes("\xfe\xff\xff\xff\x03\x00\x00\x00"
                                    "a\0b"));
    BinaryReader reader(writer.bytes());
    EXPECT_EQ(reader.readInt32(), -2);
    EXPECT_EQ(reader.readCountedText(3), std::string("a\0b", 3));
}

TEST(ReadFileBounded, StopsAtTheLimit) {
    test::TempDir dir;
    test::writeBytes(dir / "f", std::string(100000, 'q'));
    EXPECT_EQ(readFileBounded(dir / "f", 70000)->size(), 70000u);
    EXPECT_EQ(readFileBounded(dir / "f", 200000)->size(), 100000u);
    EXPECT_FALSE(readFileBounded(dir / "none", 10).has_value());
}

}  // namespace
}  // namespace kestrova
