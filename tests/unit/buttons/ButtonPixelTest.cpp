// Buttons built from real records of the window tables and drawn from the real archive: the
// rectangle on screen compared pixel for pixel with the artwork each state should show.
#include <gtest/gtest.h>

#include <limits>

#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "PAL/Parameter.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

// The records at the given positions of a window's table, under a plain root and bound to parameters
// 0, 1, 2 of a small set, on a window of the table's size.
struct RealButtons : TestPage {
    RealButtons(LayoutWindow which, std::initializer_list<int32_t> positions)
        : TestPage({MakeDescriptor("A", 0, 1, 0, UnitNone, TaperLinear, 0),
                    MakeDescriptor("B", 0, 1, 0, UnitNone, TaperLinear, 1),
                    MakeDescriptor("C", 0, 1, 0, UnitNone, TaperLinear, 2)},
                   Table(GetLayoutTable(which), positions), GetLayoutTable(which).width, GetLayoutTable(which).height),
          backdrop(GetLayoutTable(which).backdrop)
    {
        PaintIfNeeded();
    }
    static std::vector<LayoutRecord> Table(const LayoutTable& t, std::initializer_list<int32_t> positions)
    {
        std::vector<LayoutRecord> records{Record(0, {0, t.width, 0, t.height}, "View", -1, "")};
        for (int32_t p : positions) {
            LayoutRecord r = t.records[p];
            r.index = int32_t(records.size());
            r.parent = 0;
            for (int32_t k = 0; k < 4; ++k)
                r.params[k] = k < 3 ? k : -1;
            records.push_back(r);
        }
        return records;
    }
    // Pixels of the control's rectangle that differ from art (drawn whole from its top left), or from
    // the window's backdrop under the control when art is null. Paints first.
    int32_t Mismatches(int32_t control, const char* art = nullptr)
    {
        PaintIfNeeded();
        const Rect r = V(control)->GetBounds();
        const Bitmap* image = BitmapCache::Get(art ? art : backdrop);
        EXPECT_NE(image, nullptr) << art;
        const int32_t artX = art ? 0 : r.left, artY = art ? 0 : r.top;
        int32_t n = 0;
        for (int32_t y = r.top; image && y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                n += window.buffer.GetPixel(x, y) != image->GetPixel(artX + x - r.left, artY + y - r.top);
        return image ? n : -1;
    }
    // Stores a normalised value as a mix file or the device may, NaN included, and tells the page.
    void Store(int32_t index, float v)
    {
        set.GetParameterObject(index)->SetNormalisedValue(v);
        page->OnParameterChanged(index);
    }
    const char* backdrop;
};

// Each channel times 255 / 256, truncated: a blend through a full or an empty mask pixel.
uint32_t Dimmed(uint32_t pixel)
{
    uint32_t out = 0;
    for (int shift : {0, 8, 16})
        out |= (((pixel >> shift) & 255) * 255 / 256) << shift;
    return out;
}

TEST(ButtonPixels, LitAndPushButtonsShowTheBackdropAtRestAndTheirArtworkWhenOnOrHeld)
{
    ASSERT_TRUE(LoadRealArchive());
    // 4: "Enable.bmp" through "ButtonLitMask.bmp" at 26..41 x 204..219; 56: "PushToggle.bmp".
    RealButtons main(LayoutWindow::Main, {4, 56});
    EXPECT_EQ(main.Mismatches(1), 0);
    EXPECT_EQ(main.Mismatches(2), 0);
    main.Click(30, 210);
    main.PaintIfNeeded();
    // Lit through the mask: the lit image where the mask is full, the backdrop (dimmed by 255 / 256)
    // where it is empty.
    const Bitmap *lit = BitmapCache::Get("Enable.bmp"), *mask = BitmapCache::Get("ButtonLitMask.bmp");
    ASSERT_TRUE(lit && mask);
    EXPECT_EQ(mask->GetPixel(7, 7), 0xFFFFFFu);
    EXPECT_EQ(main.window.buffer.GetPixel(26 + 7, 204 + 7), Dimmed(lit->GetPixel(7, 7)));
    EXPECT_EQ(mask->GetPixel(0, 0), 0u);
    EXPECT_EQ(main.window.buffer.GetPixel(26, 204), Dimmed(BitmapCache::Get("Background.bmp")->GetPixel(26, 204)));
    EXPECT_GT(main.Mismatches(1), 100);  // visibly lit
    main.Press(80, 80);
    EXPECT_EQ(main.Mismatches(2, "PushToggle.bmp"), 0);
    main.Release();
    EXPECT_EQ(main.Mismatches(2), 0);

    // Without a mask the lit image is copied whole: the sample-rate panel's "in use" lamp.
    RealButtons rate(LayoutWindow::SampleRate, {7});
    EXPECT_EQ(rate.Mismatches(1), 0);
    rate.set.SetParameter(0, 1.0f);
    EXPECT_EQ(rate.Mismatches(1, "InUse.bmp"), 0);
}

TEST(ButtonPixels, EffectSlotTypeAndCopyButtonsShowTheArtworkTheirArgumentsName)
{
    ASSERT_TRUE(LoadRealArchive());
    // 47, 48: slot 0 at 37..62 x 35..60 and slot 1 below; 45: the type button (mode 0) at 35..50 x 60..75.
    RealButtons main(LayoutWindow::Main, {47, 48, 45});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float order, effectSwitch;
        bool pressSlot0;
        const char *slot0, *slot1;
    } cases[] = {
        {0.0f, 0.0f, false, "Eq1.bmp", "Comp.bmp"},     {0.0f, 1.0f, false, "Amp1.bmp", "Comp.bmp"},
        {1.0f, 0.0f, false, "Comp.bmp", "Eq2.bmp"},     {1.0f, 0.7f, false, "Comp.bmp", "Amp2.bmp"},
        {1.0f, 1.0f, true, "PushComp.bmp", "Amp2.bmp"}, {0.0f, 1.0f, true, "PushAmp1.bmp", "Comp.bmp"},
        {0.0f, 0.0f, true, "PushEq1.bmp", "Comp.bmp"},  {0.5f, 0.0f, false, "Comp.bmp", "Comp.bmp"},
        {nan, nan, false, "Eq1.bmp", "Comp.bmp"},  // NaN counts as 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.slot0) + " " + c.slot1);
        main.Store(1, c.order);
        main.Store(2, c.effectSwitch);
        if (c.pressSlot0)
            main.Press(50, 48);
        EXPECT_EQ(main.Mismatches(1, c.slot0), 0);
        EXPECT_EQ(main.Mismatches(2, c.slot1), 0);
        main.Release();
    }
    main.set.SetParameter(1, 0.0f);
    EXPECT_EQ(main.Mismatches(3, "Toggle1.bmp"), 0);
    main.Press(40, 65);
    EXPECT_EQ(main.Mismatches(3, "PushType1.bmp"), 0);
    main.Release();

    RealButtons eq(LayoutWindow::Eq, {49, 50});  // copy 612..627 x 89..104, paste below
    eq.Press(620, 110);
    EXPECT_EQ(eq.Mismatches(2, "PushDouble2.bmp"), 0);
    EXPECT_EQ(eq.Mismatches(1), 0);
    eq.Release();
    EXPECT_EQ(eq.Mismatches(2), 0);
}

}  // namespace
