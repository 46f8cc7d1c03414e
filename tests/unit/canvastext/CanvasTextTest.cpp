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

std::vector<ParamDescriptor> RateIndex()
{
    return {MakeDescriptor("Sample Rate", 1, 6, 1, UnitNone, TaperLinear, 0)};
}

TEST(WindowCanvas, TheConnectionLostWindowShowsItsBackdropAroundItsLabels)
{
    ASSERT_TRUE(LoadRealArchive());
    const LayoutTable& table = GetLayoutTable(LayoutWindow::ConnectionLost);
    TestPage t(RateIndex(), std::vector<LayoutRecord>(table.records, table.records + table.count), table.width,
               table.height);
    t.PaintIfNeeded();
    const Bitmap* backdrop = BitmapCache::Get(table.backdrop);
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(Differences(t.window.buffer, {0, 300, 0, 20}, *backdrop, 0, 0), 0);
    EXPECT_EQ(Differences(t.window.buffer, {0, 300, 42, 56}, *backdrop, 0, 42), 0);
    EXPECT_EQ(Differences(t.window.buffer, {0, 60, 0, 56}, *backdrop, 0, 0), 0);
    EXPECT_GT(Differences(t.window.buffer, {60, 239, 20, 30}, *backdrop, 60, 20), 0);  // the caption

    // A click on the background changes nothing.
    t.Click(10, 10);
    EXPECT_FALSE(t.page->NeedsPaint());
}

TEST(WindowCanvas, WithoutABackdropOnlyTheChildrenArePainted)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t(RateIndex(),
               {Record(0, {0, 40, 0, 20}, "flCanvas", -1, ""),
                Record(1, {5, 20, 5, 10}, "flExtText", 0, "SampleRateGreyExt.bmp\nSampleRate.bmp", {0}),
                Record(2, {20, 40, 0, 20}, "flCanvas", 0, "NoSuchBackdrop.bmp")},
               40, 20);
    t.page->SetPlainValue(1, 0, 6.0f);
    FillColour(t.window.buffer, 0x123456);
    t.PaintIfNeeded();
    EXPECT_EQ(Differences(t.window.buffer, {5, 20, 5, 10}, *BitmapCache::Get("SampleRateGreyExt.bmp"), 0, 0), 0);
    EXPECT_EQ(t.window.buffer.GetPixel(0, 0), 0x123456u);
    EXPECT_EQ(t.window.buffer.GetPixel(30, 10), 0x123456u);
}

TEST(GreyedRateLabel, GreyExactlyAtSixAndRepaintedOnlyWhenTheLookChanges)
{
    ASSERT_TRUE(LoadRealArchive());
    const Rect r = {30, 45, 69, 74};
    TestPage t(RateIndex(),
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
        if (s.normal)
            EXPECT_EQ(Differences(t.window.buffer, r, *backdrop, r.left, r.top), 0) << s.plain;
        else
            EXPECT_EQ(Differences(t.window.buffer, r, *grey, 0, 0), 0) << s.plain;
    }
}

struct Symbol {
    explicit Symbol(const char* strings = "EqTypeSymbols.bmp")
        : t({}, {Record(0, {0, 20, 0, 12}, "View", -1, ""), Record(1, kRect, "flEQType", 0, strings)}, 20, 12)
    {
        FillColour(t.window.buffer, 0x123456);
    }
    flEQType* symbol() { return t.As<flEQType>(1); }
    // Whether the window shows the strip's columns 11 x frame .. 11 x frame + 10.
    bool Shows(int32_t frame)
    {
        return Differences(t.window.buffer, kRect, *BitmapCache::Get("EqTypeSymbols.bmp"), 11 * frame, 0) == 0;
    }
    static constexpr Rect kRect = {2, 13, 1, 10};
    TestPage t;
};

TEST(EqTypeSymbol, EachTypeShowsItsElevenColumnsAndBadTypesKeepThePreviousImage)
{
    ASSERT_TRUE(LoadRealArchive());
    Symbol s;
    s.t.PaintIfNeeded();
    EXPECT_EQ(s.symbol()->GetType(), 0);
    EXPECT_TRUE(s.Shows(0));
    struct Step {
        int32_t type, shown;
    } steps[] = {{4, 4}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 4}, {INT_MAX, 4}, {-1, 4}, {INT_MIN, 4}, {0, 0}};
    for (const Step& step : steps) {
        s.symbol()->SetType(step.type);
        EXPECT_TRUE(s.t.page->NeedsPaint());
        s.t.PaintIfNeeded();
        EXPECT_TRUE(s.Shows(step.shown)) << step.type;
    }
    // The same type again still repaints.
    s.symbol()->SetType(0);
    EXPECT_TRUE(s.t.V(1)->IsDirty());
}

TEST(EqTypeSymbol, AnythingButOneStripDrawsNothing)
{
    ASSERT_TRUE(LoadRealArchive());
    for (const char* strings : {"", "EqTypeSymbols.bmp\nEqTypeSymbols.bmp", "NoSuchStrip.bmp"}) {
        Symbol s(strings);
        s.symbol()->SetType(1);
        s.t.PaintIfNeeded();
        EXPECT_TRUE(s.t.window.changed.empty()) << strings;
        EXPECT_FALSE(s.t.page->NeedsPaint());
    }
}

}  // namespace
