// The main-window pages: the level routing of the two pages with meters, the pages without meters,
// a route to a view of another class, and the classes of the records that code addresses by number.
#include <gtest/gtest.h>

#include "support/RealArchive.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <vector>

#include "PAL/HighRatePage.h"
#include "PAL/LayoutTables.h"
#include "PAL/MainPage.h"
#include "PAL/MeterLevels.h"
#include "PAL/ParameterSet.h"
#include "PAL/ShrinkPage.h"
#include "PAL/TinyPage.h"
#include "PAL/ViewLib/flPPM.h"
#include "PAL/WindowRecords.h"
#include "platform/DebugLog.h"
#include "resources/params/MainParamDescriptors.h"
#include "support/FakeWindow.h"
#include "support/LayoutRecordMaker.h"

namespace {

// Slot s holds (s + 1) / 10, and counts its reads.
class FakeLevels : public MeterLevels {
public:
    float Meter(int slot) const override
    {
        ++reads[size_t(slot)];
        return float(slot + 1) / 10.0f;
    }
    mutable std::array<int, 18> reads{};
};

std::unique_ptr<MeterPage> MakePage(LayoutWindow window, ParameterSet* set)
{
    switch (window) {
    case LayoutWindow::Main: return std::make_unique<MainPage>(set);
    case LayoutWindow::Shrink: return std::make_unique<ShrinkPage>(set);
    case LayoutWindow::Tiny: return std::make_unique<TinyPage>(set);
    default: return std::make_unique<HighRatePage>(set);
    }
}

}  // namespace

// Each page on its own table; the metered ones feed all six of their peak meters from slots 0..5,
// each read once per push; the others read nothing and change nothing.
TEST(MainWindowPages, LevelsReachTheMetersOfTheirRoutes)
{
    const struct {
        LayoutWindow window;
        std::vector<std::pair<int32_t, int>> meters;  // record, slot
    } pages[] = {
        {LayoutWindow::Main,
         {{MainRecords::kAnalog1Meter, 2}, {MainRecords::kAnalog2Meter, 3}, {MainRecords::kSpdifLeftMeter, 0},
          {MainRecords::kSpdifRightMeter, 1}, {MainRecords::kEffectInput1Meter, 4},
          {MainRecords::kEffectInput2Meter, 5}}},
        {LayoutWindow::Shrink,
         {{ShrinkRecords::kAnalog1Meter, 2}, {ShrinkRecords::kAnalog2Meter, 3}, {ShrinkRecords::kSpdifLeftMeter, 0},
          {ShrinkRecords::kSpdifRightMeter, 1}, {ShrinkRecords::kEffectInput1Meter, 4},
          {ShrinkRecords::kEffectInput2Meter, 5}}},
        {LayoutWindow::Tiny, {}},
        {LayoutWindow::HighRate, {}},
    };
    ASSERT_TRUE(LoadRealArchive());  // a meter draws only a bar it has
    ParameterSet main(kMainParamDescriptors, kMainParamCount);
    for (const auto& p : pages) {
        const LayoutTable& table = GetLayoutTable(p.window);
        auto page = MakePage(p.window, &main);
        FakeWindow window(table.width, table.height);
        page->AttachWindow(&window);
        page->Paint();
        window.changed.clear();
        EXPECT_EQ(page->GetTable(), table.records);
        EXPECT_EQ(page->GetViewCount(), table.count);
        FakeLevels levels;
        page->SetMeterLevels(&levels);
        page->SetMeterLevels(nullptr);
        int32_t meters = 0;
        for (int32_t i = 0; i < page->GetViewCount(); ++i) {
            if (auto* meter = dynamic_cast<flPPM*>(page->GetView(i))) {
                ++meters;
                float expected = -1.0f;
                for (auto [record, slot] : p.meters)
                    expected = record == i ? flPPM::DisplayLevel(float(slot + 1) / 10.0f) : expected;
                EXPECT_FLOAT_EQ(meter->GetLevel(), expected) << table.name << " record " << i;
            }
        }
        EXPECT_EQ(meters, int32_t(p.meters.size())) << table.name;
        for (int s = 0; s < 18; ++s)
            EXPECT_EQ(levels.reads[size_t(s)], s < 6 && meters ? 1 : 0) << table.name << " slot " << s;
        page->Broadcast();  // the tick draws each meter that got a level, nothing else
        EXPECT_EQ(window.changed.size(), p.meters.size()) << table.name;
    }
}

// Code addresses these records by number: the meters of the two metered pages and of the effect
// panels, the controls the sample-rate and EQ panels change, and every record the artwork captions.
TEST(MainWindowPages, RecordsAddressedByNumberHoldTheirClasses)
{
    struct Pin {
        LayoutWindow window;
        int32_t record;
        const char* className;
    };
    std::vector<Pin> pins = {{LayoutWindow::SampleRate, SampleRateRecords::kExtLed, "flExtLed"},
                             {LayoutWindow::SampleRate, SampleRateRecords::k44kLamp, "flRateLed"},
                             {LayoutWindow::SampleRate, SampleRateRecords::k48kLamp, "flRateLed"},
                             {LayoutWindow::SampleRate, SampleRateRecords::k88kLamp, "flRateLed"},
                             {LayoutWindow::SampleRate, SampleRateRecords::k96kLamp, "flRateLed"},
                             {LayoutWindow::SampleRate, SampleRateRecords::k192kLamp, "flRateLed"},
                             {LayoutWindow::SampleRate, SampleRateRecords::kExtText, "flExtText"},
                             {LayoutWindow::SampleRate, SampleRateRecords::kInUse, "flButton"},
                             {LayoutWindow::SampleRate, SampleRateRecords::kLock, "flButton"},
                             {LayoutWindow::Eq, EqRecords::kLfGainKnob, "flTextKnob"},
                             {LayoutWindow::Eq, EqRecords::kLfQKnob, "flTextKnob"},
                             {LayoutWindow::Eq, EqRecords::kHfQKnob, "flTextKnob"},
                             {LayoutWindow::Eq, EqRecords::kHfGainKnob, "flTextKnob"},
                             {LayoutWindow::Eq, EqRecords::kLfSymbol, "flEQType"},
                             {LayoutWindow::Eq, EqRecords::kHfSymbol, "flEQType"},
                             {LayoutWindow::Eq, EqRecords::kInputMeter, "flPPM"},
                             {LayoutWindow::Eq, EqRecords::kOutputMeter, "flPPM"},
                             {LayoutWindow::Compressor, CompressorRecords::kInputMeter, "flPPM"},
                             {LayoutWindow::Compressor, CompressorRecords::kReductionMeter, "flInvPPM"},
                             {LayoutWindow::Compressor, CompressorRecords::kOutputMeter, "flPPM"},
                             {LayoutWindow::AmpSim, AmpSimRecords::kMeter, "flPPM"}};
    for (int32_t band = 0; band < 4; ++band)
        pins.push_back({LayoutWindow::Eq, EqRecords::kFirstBandCaption + band, "Static"});
    auto pin = [&](LayoutWindow window, std::initializer_list<int32_t> records, const char* className) {
        for (int32_t record : records)
            pins.push_back({window, record, className});
    };
    auto pinAll = [&](LayoutWindow window, const auto& records, const char* className) {
        for (int32_t record : records)
            pins.push_back({window, record, className});
    };
    pinAll(LayoutWindow::Main, MainRecords::kPlaybackFaders, "flVSlider");
    pinAll(LayoutWindow::Main, MainRecords::kReverbSendTrays, "flTray4");
    pin(LayoutWindow::Main,
        {MainRecords::kLoad, MainRecords::kSave, MainRecords::kCard, MainRecords::kTrack, MainRecords::kShrink,
         MainRecords::kFloat, MainRecords::kRate},
        "flPushButton");
    pin(LayoutWindow::Shrink, {ShrinkRecords::kSmall, ShrinkRecords::kBig, ShrinkRecords::kFloat}, "flPushButton");
    pinAll(LayoutWindow::Tiny, TinyRecords::kCrossFaders, "flHSlider");
    pinAll(LayoutWindow::Tiny, TinyRecords::kMutes, "flButton");
    pin(LayoutWindow::Tiny, {TinyRecords::kBig, TinyRecords::kFloat}, "flPushButton");
    pinAll(LayoutWindow::HighRate, HighRateRecords::kMutes, "flButton");
    pinAll(LayoutWindow::HighRate, HighRateRecords::kSolos, "flButton");
    pinAll(LayoutWindow::HighRate, HighRateRecords::kHardwareLevels, "flButton");
    pin(LayoutWindow::HighRate, {HighRateRecords::kDim}, "flButton");
    pin(LayoutWindow::HighRate,
        {HighRateRecords::kLoad, HighRateRecords::kSave, HighRateRecords::kFloat, HighRateRecords::kRate},
        "flPushButton");
    pinAll(LayoutWindow::CustomInputMix, CustomInputMixRecords::kInputFaders, "flVSlider");
    pinAll(LayoutWindow::CustomCueMix, CustomCueMixRecords::kPlaybackFaders, "flVSlider");
    pin(LayoutWindow::Eq, {EqRecords::kInputFader, EqRecords::kOutputFader}, "flVSlider");
    pin(LayoutWindow::Compressor, {CompressorRecords::kInputFader, CompressorRecords::kOutputFader}, "flVSlider");
    pin(LayoutWindow::AmpSim, {AmpSimRecords::kOutputFader}, "flVSlider");
    const struct {
        LayoutWindow window;
        int32_t copy, paste;
    } clipboard[] = {
        {LayoutWindow::CustomInputMix, CustomInputMixRecords::kCopy, CustomInputMixRecords::kPaste},
        {LayoutWindow::CustomCueMix, CustomCueMixRecords::kCopy, CustomCueMixRecords::kPaste},
        {LayoutWindow::Reverb, ReverbRecords::kCopy, ReverbRecords::kPaste},
        {LayoutWindow::Eq, EqRecords::kCopy, EqRecords::kPaste},
        {LayoutWindow::Compressor, CompressorRecords::kCopy, CompressorRecords::kPaste},
        {LayoutWindow::AmpSim, AmpSimRecords::kCopy, AmpSimRecords::kPaste},
    };
    for (const auto& c : clipboard) {
        pin(c.window, {c.copy}, "flCopyButton");
        pin(c.window, {c.paste}, "flPasteButton");
    }
    for (const auto& route : MainPage::kRoutes)
        pins.push_back({LayoutWindow::Main, route.control, "flPPM"});
    for (const auto& route : ShrinkPage::kRoutes)
        pins.push_back({LayoutWindow::Shrink, route.control, "flPPM"});
    for (const Pin& pin : pins) {
        const LayoutTable& table = GetLayoutTable(pin.window);
        ASSERT_LT(pin.record, table.count) << table.name;
        EXPECT_STREQ(table.records[pin.record].className, pin.className) << table.name << " " << pin.record;
    }
}

namespace {

class MisroutedPage : public MeterPage {
public:
    MisroutedPage(ParameterSet* set, const std::vector<LayoutRecord>& table)
        : MeterPage(set, table.data(), int32_t(table.size()))
    {
        const MeterRoute routes[] = {{0, 1}, {1, 2}, {2, 7}};  // a button, then no record at all
        BindMeters(routes, 3);
    }
    void SetMeterLevels(const MeterLevels* levels) override { PushLevels(levels); }
};

}  // namespace

TEST(MainWindowPages, ARouteToAViewOfAnotherClassIsSkippedAndTracedOnce)
{
    const std::vector<LayoutRecord> table = {Record(0, {0, 20, 0, 100}, "Canvas", -1, ""),
                                             Record(1, {0, 3, 0, 96}, "flPPM", 0, ""),
                                             Record(2, {5, 20, 0, 15}, "flButton", 0, "", {0})};
    ParameterSet main(kMainParamDescriptors, kMainParamCount);
    DebugLogCapture trace;
    MisroutedPage page(&main, table);
    if (DebugLogEnabled()) {
        EXPECT_TRUE(trace.Contains("control 2 is not a flPPM")) << trace.Text();
        EXPECT_TRUE(trace.Contains("control 7 is not a flPPM")) << trace.Text();
    }
    trace.Clear();
    FakeLevels levels;
    page.SetMeterLevels(&levels);
    EXPECT_FLOAT_EQ(static_cast<flPPM*>(page.GetView(1))->GetLevel(), flPPM::DisplayLevel(0.1f));
    EXPECT_EQ(levels.reads[1] + levels.reads[2], 0);
    EXPECT_EQ(trace.Text(), "");
}
