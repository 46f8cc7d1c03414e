#include "unit/mixfile/MixFixture.h"

#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <functional>
#include <future>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Rejection {
    const char* what;
    std::function<std::vector<uint8_t>(std::vector<uint8_t>, const MixFile&)> edit;
    MixLoadResult result;
    const char* message;
};

// Edits the words of a written image, then keeps the sums right so only the edit is wrong.
std::function<std::vector<uint8_t>(std::vector<uint8_t>, const MixFile&)> Words(
    std::function<void(MixWords&)> edit, bool fixSums = true)
{
    return [edit, fixSums](std::vector<uint8_t> bytes, const MixFile&) {
        MixWords m = MixWords::From(bytes);
        edit(m);
        if (fixSums)
            m.FixLengthAndSum();
        return m.Bytes();
    };
}

std::function<std::vector<uint8_t>(std::vector<uint8_t>, const MixFile&)> FlipByte(size_t offset)
{
    return [offset](std::vector<uint8_t> bytes, const MixFile&) {
        bytes[offset] ^= 0x40;
        return bytes;
    };
}

std::function<std::vector<uint8_t>(std::vector<uint8_t>, const MixFile&)> Resize(size_t size)
{
    return [size](std::vector<uint8_t> bytes, const MixFile&) {
        bytes.resize(size, 0);
        return bytes;
    };
}

// A value of block k replaced, the block's sum fixed.
void SetValue(MixWords& m, size_t block, size_t index, float value)
{
    const size_t at = m.BlockAt(block);
    m.w[at + 3 + index] = Bits(value);
    m.FixBlockSum(at);
}

const std::vector<Rejection>& Rejections()
{
    static const std::vector<Rejection> table = {
        {"byte 12 (the file sum)", FlipByte(12), MixLoadResult::Corrupt, kCorrupt},
        {"byte 16 (block count)", FlipByte(16), MixLoadResult::Corrupt, kCorrupt},
        {"byte 20 (first block index)", FlipByte(20), MixLoadResult::Corrupt, kCorrupt},
        {"byte 100 (a main value)", FlipByte(100), MixLoadResult::Corrupt, kCorrupt},
        {"byte 700 (an EQ value)", FlipByte(700), MixLoadResult::Corrupt, kCorrupt},
        {"last byte", FlipByte(1175), MixLoadResult::Corrupt, kCorrupt},
        {"length field", FlipByte(8), MixLoadResult::WrongLength, kWrongLength},
        {"magic", FlipByte(0), MixLoadResult::TooOld, kTooOld},
        {"version", FlipByte(4), MixLoadResult::TooOld, kTooOld},
        {"newer version", Words([](MixWords& m) { m.w[1] = 2; }), MixLoadResult::TooOld, kTooOld},
        {"4 trailing bytes", Resize(1180), MixLoadResult::WrongLength, kWrongLength},
        {"7 trailing bytes", Resize(1183), MixLoadResult::WrongLength, kWrongLength},
        {"a word short", Resize(1172), MixLoadResult::WrongLength, kWrongLength},
        {"empty file", Resize(0), MixLoadResult::TooOld, kTooOld},
        {"4 bytes", Resize(4), MixLoadResult::TooOld, kTooOld},
        {"19 bytes", Resize(19), MixLoadResult::TooOld, kTooOld},
        {"header only, count 9", Words([](MixWords& m) { m.w.resize(5); }), MixLoadResult::Corrupt, kCorrupt},
        {"cut in block 4, length fixed", Words([](MixWords& m) { m.w.resize(m.BlockAt(4) + 5); }),
         MixLoadResult::Corrupt, kCorrupt},
        {"cut in a block header", Words([](MixWords& m) { m.w.resize(m.BlockAt(8) + 2); }),
         MixLoadResult::Corrupt, kCorrupt},
        {"count 10 of nine blocks", Words([](MixWords& m) { m.w[4] = 10; }), MixLoadResult::Corrupt, kCorrupt},
        {"count 0x7fffffff", Words([](MixWords& m) { m.w[4] = 0x7fffffff; }), MixLoadResult::Corrupt, kCorrupt},
        {"block index 9", Words([](MixWords& m) {
             const size_t at = m.BlockAt(8);
             m.w[at] = 9;
             m.FixBlockSum(at);
         }),
         MixLoadResult::Corrupt, kCorrupt},
        {"block index 0xffffffff", Words([](MixWords& m) {
             m.w[5] = 0xffffffff;
             m.FixBlockSum(5);
         }),
         MixLoadResult::Corrupt, kCorrupt},
        {"block sum", Words([](MixWords& m) { m.w[m.BlockAt(3) + 2] += 1; }), MixLoadResult::Corrupt, kCorrupt},
        {"block length not whole words", Words([](MixWords& m) {
             const size_t at = m.BlockAt(8);
             m.w[at + 1] = 26;
             m.FixBlockSum(at);
         }),
         MixLoadResult::Corrupt, kCorrupt},
        {"block shorter than its header", Words([](MixWords& m) {
             const size_t at = m.BlockAt(8);
             m.w[at + 1] = 8;
             m.w[at + 2] = m.w[at] + m.w[at + 1];
         }),
         MixLoadResult::Corrupt, kCorrupt},
        {"block length 0", Words([](MixWords& m) { m.w[m.BlockAt(8) + 1] = 0; }), MixLoadResult::Corrupt,
         kCorrupt},
        {"block past the end", Words([](MixWords& m) {
             const size_t at = m.BlockAt(8);
             m.w[at + 1] = 32;
         }),
         MixLoadResult::Corrupt, kCorrupt},
        {"block longer than its set", Words([](MixWords& m) {
             const size_t at = m.BlockAt(8);  // reverb 2: 4 values
             m.w.push_back(Bits(0.5f));
             m.w[at + 1] += 4;
             m.FixBlockSum(at);
         }),
         MixLoadResult::Corrupt, kCorrupt},
        {"NaN", Words([](MixWords& m) { SetValue(m, 3, 4, std::numeric_limits<float>::quiet_NaN()); }),
         MixLoadResult::Corrupt, kCorrupt},
        {"+infinity", Words([](MixWords& m) { SetValue(m, 0, 163, std::numeric_limits<float>::infinity()); }),
         MixLoadResult::Corrupt, kCorrupt},
        {"-infinity in the last block",
         Words([](MixWords& m) { SetValue(m, 8, 3, -std::numeric_limits<float>::infinity()); }),
         MixLoadResult::Corrupt, kCorrupt},
        // Larger than any mix file: the header is judged first.
        {"one byte over the largest mix file",
         [](std::vector<uint8_t> bytes, const MixFile& mix) {
             bytes.resize(mix.MaxFileSize() + 1, 0);
             return bytes;
         },
         MixLoadResult::WrongLength, kWrongLength},
        {"a megabyte appended", Resize(1 << 20), MixLoadResult::WrongLength, kWrongLength},
        {"another magic, a megabyte long", Words([](MixWords& m) {
             m.w[0] = 3;
             m.w.resize(1 << 18, 0);
         }),
         MixLoadResult::TooOld, kTooOld},
        {"newer version, a megabyte long", Words([](MixWords& m) {
             m.w[1] = 2;
             m.w.resize(1 << 18, 0);
         }),
         MixLoadResult::TooOld, kTooOld},
        {"a megabyte, length and sum fixed", Words([](MixWords& m) { m.w.resize(1 << 18, 0); }),
         MixLoadResult::Corrupt, kCorrupt},
    };
    return table;
}

// Every rejection changes nothing; loaded with messages it shows its text once, loaded silently (the
// default mix at start) it shows nothing.
TEST_F(MixFileTest, EveryRejectionShowsItsTextOrNothingWhenSilentAndChangesNothing)
{
    SetDistinctValues();
    const std::vector<uint8_t> good = mix.BuildMixImage(2, 1);
    ResetAll(0.5f);
    const auto before = Snapshot();
    for (const bool silent : {false, true}) {
        for (const Rejection& r : Rejections()) {
            SCOPED_TRACE(std::string(r.what) + (silent ? " (silent)" : ""));
            messages.messages.clear();
            messages.styles.clear();
            EXPECT_EQ(LoadBytes(r.edit(good, mix), silent), r.result);
            EXPECT_EQ(Snapshot(), before);
            if (silent) {
                EXPECT_TRUE(messages.messages.empty());
                continue;
            }
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0], r.message);
            EXPECT_EQ(messages.styles[0], MessageStyle::Ok | MessageStyle::IconError);
            EXPECT_TRUE(mix.WasRejected(folder / "load.vlbx"));
        }
    }
}

TEST_F(MixFileTest, ThePassingEditsOfTheTableLoad)
{
    // The table's edits are each the only fault: the same edits without it pass.
    const std::vector<uint8_t> good = mix.BuildMixImage(2, 1);
    EXPECT_EQ(LoadBytes(Words([](MixWords& m) { m.w[1] = 1; })(good, mix), false), MixLoadResult::Loaded);
    EXPECT_EQ(LoadBytes(Words([](MixWords& m) { SetValue(m, 3, 4, 0.25f); })(good, mix), false),
              MixLoadResult::Loaded);
    EXPECT_EQ(LoadBytes(Words([](MixWords& m) { m.w[4] = 0; })(good, mix), false), MixLoadResult::Loaded);
    EXPECT_TRUE(messages.messages.empty());
}

// Anything but a regular file is refused like a missing one, without waiting for it: a FIFO's open
// would block until a writer comes.
TEST_F(MixFileTest, MissingFilesFoldersAndFifosAreNotOpenedAndShowNothing)
{
    const std::string fifo = folder / "fifo.vlbx";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {folder / "none.vlbx", folder.Path(), fifo}) {
        SCOPED_TRACE(path);
        auto load = std::async(std::launch::async, [&] { return mix.LoadMixFile(path, false); });
        const bool returned = load.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
        // A load blocked in the FIFO's open goes on once a writer has come and gone.
        for (int i = 0; !returned && i < 100; ++i) {
            const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                close(writer);
                break;
            }
            usleep(50000);
        }
        EXPECT_TRUE(returned) << "the load waited";
        EXPECT_EQ(load.get(), MixLoadResult::NotOpened);
        EXPECT_FALSE(mix.WasRejected(path));
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MixFileTest, AnotherMagicReadsAsTooOld)
{
    ASSERT_TRUE(mix.SaveMixFile(folder / "a.vlbx", MixFile::kMagic));
    EXPECT_EQ(mix.LoadMixFile(folder / "a.vlbx", false, 3), MixLoadResult::TooOld);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], kTooOld);
}

}  // namespace
