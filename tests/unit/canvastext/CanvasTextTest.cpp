// Window backgrounds, the greyed rate label and the EQ band-type symbol, drawn from the real artwork.
#include <gtest/gtest.h>

#include <climits>

#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "PAL/ViewLib/flEQType.h"
#include "PAL/ViewLib/flExtText.h"
#include "support/LayoutRecordMaker.h"
#include "support/PixelPicture.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/genericcontrols/ArtworkCompare.h"
#include "unit/params/ParamTestSupport.h"

namespace {

TEST(WindowCanvas, ShowsItsBackdropUnderItsChildrenAndNothingWithoutOne)
{
    ASSERT_TRUE(LoadRealArchive());
    const LayoutTable& table = GetLayoutTable(LayoutWindow::ConnectionLost);
    TestPage t({}, std::vector<LayoutRecord>(table.records, table.records + table.count), table.width, table.height);
    t.PaintIfNeeded();
    const Bitmap* backdrop = BitmapCache::Get(table.backdrop);
    EXPECT_EQ(Differences(t.window.buffer, {0, 300, 0, 20}, *backdrop, 0, 0), 0);
    EXPECT_EQ(Differences(t.window.buffer, {0, 60, 0, 56}, *backdrop, 0, 0), 0);
    EXPECT_GT(Differences(t.window.buffer, {60, 239, 20, 30}, *backdrop, 60, 20), 0);  // the caption
    t.Click(10, 10);
    EXPECT_FALSE(t.page->NeedsPaint());

    TestPage bare({}, {Record(0, {0, 40, 0, 20}, "flCanvas", -1, ""),
                       Record(1, {20, 40, 0, 20}, "flCanvas", 0, "NoSuchBackdrop.bmp"),
                       Record(2, {0, 4, 2, 6}, "PButton", 0, "")},
                  40, 20);
    FillColour(bare.window.buffer, 0x123456);
    bare.PaintIfNeeded();
    EXPECT_EQ(Picture(bare.window.buffer, {0, 40, 2, 3}, {{0x123456, '-'}}), "####" + std::string(36, '-'));
}

TEST(GreyedRateLabel, GreyExactlyAtSixAndRepaintedOnlyWhenTheLookChanges)
{
    ASSERT_TRUE(LoadRealArchive());
    const Rect r = {30, 45, 69, 74};
    TestPage t({MakeDescriptor("Sample Rate", 1, 6, 1, UnitNone, TaperLinear, 0)},
               {Record(0, {0, 93, 0, 93}, "flCanvas", -1, "SampleRate.bmp"),
                Record(1, r, "flExtText", 0, "SampleRateGreyExt.bmp\nSampleRate.bmp", {0})},
               93, 93);
    t.PaintIfNeeded();
    const Bitmap* backdrop = BitmapCache::Get("SampleRate.bmp");
    const Bitmap* grey = BitmapCache::Get("SampleRateGreyExt.bmp");
    ASSERT_GT(Differences(*backdrop, r, *grey, 0, 0), 0);  // the two looks differ
    struct Step {
        float plain;
        bool normal, repaint;
    } steps[] = {{5, true, false}, {6, false, true}, {6, false, false}, {1, true, true}, {5.5f, true, false},
                 {6, false, true}, {5, true, true}};
    for (const Step& s : steps) {
        t.page->SetPlainValue(1, 0, s.plain);
        EXPECT_EQ(t.As<flExtText>(1)->IsNormalLook(), s.normal) << s.plain;
        EXPECT_EQ(t.V(1)->IsDirty(), s.repaint) << s.plain;
        t.PaintIfNeeded();
        EXPECT_EQ(s.normal ? Differences(t.window.buffer, r, *backdrop, r.left, r.top)
                           : Differences(t.window.buffer, r, *grey, 0, 0),
                  0)
            << s.plain;
    }
}

// An 11 x 9 symbol at (2, 1).
TestPage SymbolPage(const char* strings)
{
    return TestPage({}, {Record(0, {0, 20, 0, 12}, "View", -1, ""), Record(1, {2, 13, 1, 10}, "flEQType", 0, strings)},
                    20, 12);
}

TEST(EqTypeSymbol, EachTypeShowsItsElevenColumnsAndBadTypesKeepThePreviousImage)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t = SymbolPage("EqTypeSymbols.bmp");
    auto* symbol = t.As<flEQType>(1);
    struct Step {
        int32_t type, shown;
    } steps[] = {{0, 0}, {4, 4}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 4}, {INT_MAX, 4}, {-1, 4}, {INT_MIN, 4}, {0, 0}};
    for (const Step& step : steps) {
        symbol->SetType(step.type);  // also the type shown already repaints
        EXPECT_TRUE(t.V(1)->IsDirty());
        t.PaintIfNeeded();
        const Bitmap* strip = BitmapCache::Get("EqTypeSymbols.bmp");
        EXPECT_EQ(Differences(t.window.buffer, {2, 13, 1, 10}, *strip, 11 * step.shown, 0), 0) << step.type;
    }
    for (const char* strings : {"", "EqTypeSymbols.bmp\nEqTypeSymbols.bmp", "NoSuchStrip.bmp"}) {
        TestPage empty = SymbolPage(strings);
        empty.As<flEQType>(1)->SetType(1);
        empty.PaintIfNeeded();
        EXPECT_TRUE(empty.window.changed.empty()) << strings;
    }
}

}  // namespace
