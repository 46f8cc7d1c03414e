#include "unit/mixfile/MixFixture.h"

#include <cmath>
#include <limits>

namespace {

TEST_F(MixFileTest, SavedFileHasTheHeaderAndNineBlocksOfTheFormat)
{
    SetDistinctValues();
    const std::string path = folder / "mix.vlbx";
    ASSERT_TRUE(mix.SaveMixFile(path, MixFile::kMagic));
    const std::vector<uint8_t> bytes = TempFolder::Read(path);
    ASSERT_EQ(bytes.size(), 1176u);

    MixWords m = MixWords::From(bytes);
    EXPECT_EQ(m.w[0], 2u);
    EXPECT_EQ(m.w[1], 1u);
    EXPECT_EQ(m.w[2], 1176u);
    EXPECT_EQ(m.w[4], 9u);
    const uint32_t lengths[9] = {668, 28, 120, 120, 56, 56, 40, 40, 28};
    for (size_t k = 0; k < 9; ++k) {
        const size_t at = m.BlockAt(k);
        EXPECT_EQ(m.w[at], k);
        EXPECT_EQ(m.w[at + 1], lengths[k]);
        EXPECT_EQ(FromBits(m.w[at + 3 + 1]), float(k) / 10.0f + 0.001f) << "block " << k;
    }
    // The sums as an independent reader computes them: the blocks' first, then the file's over them.
    const MixWords stored = m;
    for (size_t k = 0; k < 9; ++k)
        m.FixBlockSum(m.BlockAt(k));
    m.FixLengthAndSum();
    EXPECT_EQ(m.w, stored.w);
}

TEST_F(MixFileTest, RoundTripRestoresEveryValueOfAllNineSetsBitExactly)
{
    SetDistinctValues();
    // Values whose bits a text or rounding step would lose.
    sets[0]->SetParameter(0, std::numeric_limits<float>::denorm_min());
    sets[0]->SetParameter(1, std::nextafter(1.0f, 0.0f));
    sets[3]->SetParameter(26, 0.1f);
    sets[8]->SetParameter(3, -0.0f);
    const auto saved = Snapshot();
    const std::string path = folder / "mix.vlbx";
    ASSERT_TRUE(mix.SaveMixFile(path, MixFile::kMagic));

    ResetAll(0.5f);
    EXPECT_EQ(mix.LoadMixFile(path, false), MixLoadResult::Loaded);
    EXPECT_EQ(Snapshot(), saved);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(mix.WasRejected(path));
}

TEST_F(MixFileTest, LoadingNotifiesTheSetsObserversSoPanelsReact)
{
    struct Counter : ParameterObserver {
        int calls = 0;
        void OnParameterChanged(int32_t) override { ++calls; }
    } counter;
    sets[4]->AddObserver(&counter);
    ASSERT_TRUE(mix.SaveMixFile(folder / "mix.vlbx", MixFile::kMagic));
    EXPECT_EQ(mix.LoadMixFile(folder / "mix.vlbx", true), MixLoadResult::Loaded);
    EXPECT_EQ(counter.calls, 11);
    sets[4]->RemoveObserver(&counter);
}

TEST_F(MixFileTest, ShortBlocksSetOnlyTheirFirstValuesAndFewerBlocksApplyOnlyThose)
{
    SetDistinctValues();
    MixWords m = MixWords::From(mix.BuildMixImage(2, 1));
    // Block 2 (EQ, input 1) cut to 20 values; the blocks after it move up.
    const size_t eq = m.BlockAt(2);
    m.w.erase(m.w.begin() + long(eq + 3 + 20), m.w.begin() + long(eq + 3 + 27));
    m.w[eq + 1] = 12 + 4 * 20;
    for (size_t i = 0; i < 20; ++i)
        m.w[eq + 3 + i] = Bits(0.75f);
    m.FixBlockSum(eq);
    m.FixLengthAndSum();

    ResetAll(0.5f);
    ASSERT_EQ(LoadBytes(m.Bytes(), false), MixLoadResult::Loaded);
    for (int32_t i = 0; i < 27; ++i)
        EXPECT_EQ(sets[2]->GetParameter(i), i < 20 ? 0.75f : 0.5f) << i;
    EXPECT_EQ(sets[3]->GetParameter(26), 0.3f + 0.026f);  // the block after it still applies

    // A count of 3 applies blocks 0..2 and leaves the rest.
    m.w[4] = 3;
    m.FixLengthAndSum();
    ResetAll(0.5f);
    ASSERT_EQ(LoadBytes(m.Bytes(), false), MixLoadResult::Loaded);
    EXPECT_EQ(sets[0]->GetParameter(5), 0.005f);
    EXPECT_EQ(sets[1]->GetParameter(0), 0.1f);
    EXPECT_EQ(sets[3]->GetParameter(0), 0.5f);
    EXPECT_EQ(sets[8]->GetParameter(0), 0.5f);
}

TEST_F(MixFileTest, FiniteValuesOutsideZeroToOneAreHeldToIt)
{
    MixWords m = MixWords::From(mix.BuildMixImage(2, 1));
    const size_t reverb = m.BlockAt(1);
    const float values[4] = {-0.5f, 1.5f, std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()};
    for (size_t i = 0; i < 4; ++i)
        m.w[reverb + 3 + i] = Bits(values[i]);
    m.FixBlockSum(reverb);
    m.FixLengthAndSum();
    ASSERT_EQ(LoadBytes(m.Bytes(), false), MixLoadResult::Loaded);
    EXPECT_EQ(sets[1]->GetParameter(0), 0.0f);
    EXPECT_EQ(sets[1]->GetParameter(1), 1.0f);
    EXPECT_EQ(sets[1]->GetParameter(2), 1.0f);
    EXPECT_EQ(sets[1]->GetParameter(3), 0.0f);
}

TEST_F(MixFileTest, TrailingBytesBelowOneWordLoadNormally)
{
    SetDistinctValues();
    const auto saved = Snapshot();
    for (size_t extra = 1; extra <= 3; ++extra) {
        MixWords m = MixWords::From(mix.BuildMixImage(2, 1));
        m.trailing = extra;
        ResetAll(0.5f);
        EXPECT_EQ(LoadBytes(m.Bytes(), false), MixLoadResult::Loaded) << extra;
        EXPECT_EQ(Snapshot(), saved) << extra;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MixFileTest, SaveRunsTheStoreHookOnceAndOnlyWhenTheFileCanBeCreated)
{
    EXPECT_TRUE(mix.SaveMixFile(folder / "a.vlbx", MixFile::kMagic));
    EXPECT_EQ(stores, 1);
    EXPECT_FALSE(mix.SaveMixFile(folder / "missing-folder/a.vlbx", MixFile::kMagic));
    EXPECT_EQ(stores, 1);
}

}  // namespace
