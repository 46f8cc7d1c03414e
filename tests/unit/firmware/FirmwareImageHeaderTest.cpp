#include "FirmwareFixture.h"

namespace {

std::vector<uint8_t> HeaderOnly() { return FirmwareFile::Build({}).bytes; }

TEST(FirmwareImageHeader, ReadsDateTimeVersionsDescriptionAndTable)
{
    FirmwareFile f = FirmwareFile::Build({{kImageMain, 3000, 0x20000000}, {kImageCnE, 500, 0}});
    PutLE32(f.bytes.data() + 0x54, 0x12345678);  // CnE's own address word is not used
    FirmwareImageInfo info;
    FirmwareImageTable table;
    ASSERT_EQ(FirmwareImageHeader::Parse(f.bytes.data(), uint32_t(f.bytes.size()), &info, &table), 0);

    EXPECT_STREQ(info.date, "10/22/2006");
    EXPECT_STREQ(info.time, "13:45:07");
    EXPECT_EQ(std::string(info.description), "Velbrin firmware for the simulated unit....");
    EXPECT_EQ(strlen(info.description), 43u);
    EXPECT_EQ(info.version1, 0x01010000u);
    EXPECT_EQ(info.version2, 0x01010001u);
    EXPECT_EQ(info.version3, 0x01010002u);
    EXPECT_EQ(info.version4, 0x01010003u);
    EXPECT_EQ(info.version4Again, 0x01010003u);
    EXPECT_EQ(info.dateWords[0], GetLE32(f.bytes.data() + 8));
    EXPECT_EQ(info.dateWords[1], GetLE32(f.bytes.data() + 12));
    EXPECT_EQ(info.timeWords[0], GetLE32(f.bytes.data() + 16));
    EXPECT_EQ(info.timeWords[1], GetLE32(f.bytes.data() + 20));

    for (int k = 0; k < kFirmwareImages; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(table[k].fileOffset, f.table[k].fileOffset);
        EXPECT_EQ(table[k].length, f.table[k].length);
        EXPECT_EQ(table[k].checksum, f.table[k].checksum);
        EXPECT_EQ(table[k].flashAddress, f.table[k].flashAddress);
    }
    EXPECT_FALSE(table[kImageSecond].IsPresent());
    EXPECT_EQ(table[kImageCnE].flashAddress, 0x201A0000u);
}

struct HeaderCase {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> change;
    int result;
};

TEST(FirmwareImageHeader, RefusesFilesThatAreNotUsableImages)
{
    auto setRow = [](std::vector<uint8_t>& b, int slot, uint32_t offset, uint32_t length) {
        PutLE32(b.data() + 0x30 + 0x10 * slot, offset);
        PutLE32(b.data() + 0x38 + 0x10 * slot, length);
    };
    const HeaderCase cases[] = {
        {"a header with no images", [](std::vector<uint8_t>&) {}, 0},
        {"the magic reversed", [](std::vector<uint8_t>& b) { PutLE32(b.data(), 0x62436F44); }, 6},
        {"shorter than the header", [](std::vector<uint8_t>& b) { b.resize(FirmwareImageHeader::kSize - 1); }, 6},
        {"exactly the header", [](std::vector<uint8_t>& b) { b.resize(FirmwareImageHeader::kSize); }, 0},
        {"image 1 ends at the end of the file", [&](std::vector<uint8_t>& b) { setRow(b, 0, 0x80, 0x80); }, 0},
        {"image 1 one byte past the end", [&](std::vector<uint8_t>& b) { setRow(b, 0, 0x80, 0x81); }, 6},
        {"image 2 past the end", [&](std::vector<uint8_t>& b) { setRow(b, 1, 0x40, 0x1000); }, 6},
        {"CnE offset beyond the file", [&](std::vector<uint8_t>& b) { setRow(b, 2, 0x200, 1); }, 6},
        {"offset and length overflow 32 bits", [&](std::vector<uint8_t>& b) { setRow(b, 2, 0xFFFFFF00, 0x200); }, 6},
        {"length 0: absent, offset not checked", [&](std::vector<uint8_t>& b) { setRow(b, 1, 0xFFFFFFFF, 0); }, 0},
        {"offset 0: absent, length not checked", [&](std::vector<uint8_t>& b) { setRow(b, 1, 0, 0xFFFFFFFF); }, 0},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = HeaderOnly();
        c.change(bytes);
        FirmwareImageInfo info;
        FirmwareImageTable table;
        EXPECT_EQ(FirmwareImageHeader::Parse(bytes.data(), uint32_t(bytes.size()), &info, &table), c.result);
    }
}

TEST(FirmwareImageHeader, ARefusedFileChangesNothingInTheEngine)
{
    FirmwareUpdater updater;
    const FirmwareFile good = FirmwareFile::Build({{kImageSecond, 100, 0x20100000}});
    FirmwareImageInfo info;
    ASSERT_EQ(updater.ParseImageHeader(good.bytes.data(), uint32_t(good.bytes.size()), &info), 0);

    std::vector<uint8_t> bad = FirmwareFile::Build({{kImageMain, 100, 0x20000000}}).bytes;
    PutLE32(bad.data(), 0x62436F44);
    memcpy(bad.data() + 8, "11111111", 8);
    FirmwareImageInfo untouched;
    strcpy(untouched.date, "untouched");
    EXPECT_EQ(updater.ParseImageHeader(bad.data(), uint32_t(bad.size()), &untouched), 6);
    EXPECT_STREQ(untouched.date, "untouched");
    EXPECT_FALSE(updater.ImageTable()[kImageMain].IsPresent());
    EXPECT_EQ(updater.ImageTable()[kImageSecond].length, 100u);
    EXPECT_STREQ(updater.ImageInfo().date, "10/22/2006");
}

}  // namespace
