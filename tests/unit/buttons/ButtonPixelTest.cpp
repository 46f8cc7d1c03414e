// Buttons built from real records of the window tables and drawn from the real archive: the
// rectangle on screen compared pixel for pixel with the artwork each state should show.
#include <gtest/gtest.h>

#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "support/LayoutRecordMaker.h"
#include "support/PixelPicture.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr uint32_t kUntouched = 0x123456;

std::vector<ParamDescriptor> Descriptors()
{
    return {MakeDescriptor("A", 0, 1, 0, UnitNone, TaperLinear, 0), MakeDescriptor("B", 0, 1, 0, UnitNone, TaperLinear, 1),
            MakeDescriptor("C", 0, 1, 0, UnitNone, TaperLinear, 2)};
}

// A real record moved under a plain root, bound to parameters 0, 1, 2 of a small set.
LayoutRecord Rebound(const LayoutRecord& real, int32_t position)
{
    LayoutRecord r = real;
    r.index = position;
    r.parent = 0;
    r.params[0] = 0;
    r.params[1] = 1;
    r.params[2] = 2;
    r.params[3] = -1;
    return r;
}

// The given records of a window's table on a window of its size filled with kUntouched.
struct RealButtons : TestPage {
    RealButtons(LayoutWindow which, std::initializer_list<int32_t> positions)
        : TestPage(Descriptors(), Table(which, positions), GetLayoutTable(which).width, GetLayoutTable(which).height),
          backdrop(GetLayoutTable(which).backdrop)
    {
        FillColour(window.buffer, kUntouched);
        PaintIfNeeded();
    }
    static std::vector<LayoutRecord> Table(LayoutWindow which, std::initializer_list<int32_t> positions)
    {
        const LayoutTable& t = GetLayoutTable(which);
        std::vector<LayoutRecord> records{Record(0, {0, t.width, 0, t.height}, "View", -1, "")};
        for (int32_t p : positions)
            records.push_back(Rebound(t.records[p], int32_t(records.size())));
        return records;
    }
    // Pixels of control's rectangle that differ from art read at (artX, artY) onwards.
    int32_t Mismatches(int32_t control, const char* art, int32_t artX = 0, int32_t artY = 0) const
    {
        const Bitmap* image = BitmapCache::Get(art);
        EXPECT_NE(image, nullptr) << art;
        if (!image)
            return -1;
        const Rect r = V(control)->GetBounds();
        int32_t n = 0;
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                n += window.buffer.GetPixel(x, y) != image->GetPixel(artX + x - r.left, artY + y - r.top);
        return n;
    }
    // The part of the window backdrop under the control.
    int32_t BackdropMismatches(int32_t control) const
    {
        const Rect r = V(control)->GetBounds();
        return Mismatches(control, backdrop, r.left, r.top);
    }
    const char* backdrop;
};

// One channel of a blend through an opacity mask: (S x M + (255 - M) x D) / 256.
uint32_t Blend(uint32_t s, uint32_t m, uint32_t d)
{
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t sc = (s >> shift) & 0xFF, mc = (m >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        out |= ((sc * mc + (255 - mc) * dc) / 256) << shift;
    }
    return out;
}

TEST(ButtonPixels, ALitButtonShowsTheBackdropWhenOffAndTheLitImageThroughItsMaskWhenOn)
{
    ASSERT_TRUE(LoadRealArchive());
    RealButtons main(LayoutWindow::Main, {4});  // "Enable.bmp", "ButtonLitMask.bmp", "Background.bmp"
    EXPECT_EQ(main.BackdropMismatches(1), 0);
    main.Click(30, 210);
    main.PaintIfNeeded();
    const Bitmap* lit = BitmapCache::Get("Enable.bmp");
    const Bitmap* mask = BitmapCache::Get("ButtonLitMask.bmp");
    const Bitmap* back = BitmapCache::Get("Background.bmp");
    int32_t lightened = 0;
    for (const auto& [x, y] : {std::pair{0, 0}, {7, 7}, {3, 11}, {14, 14}}) {
        const uint32_t expected = Blend(lit->GetPixel(x, y), mask->GetPixel(x, y), back->GetPixel(26 + x, 204 + y));
        EXPECT_EQ(main.window.buffer.GetPixel(26 + x, 204 + y), expected) << x << "," << y;
        lightened += expected != back->GetPixel(26 + x, 204 + y);
    }
    EXPECT_GT(lightened, 0);

    // Without a mask the lit image is copied whole: the sample-rate panel's "in use" lamp.
    RealButtons rate(LayoutWindow::SampleRate, {7});  // "InUse.bmp", "SampleRate.bmp"
    EXPECT_EQ(rate.BackdropMismatches(1), 0);
    rate.set.SetParameter(0, 1.0f);
    rate.PaintIfNeeded();
    EXPECT_EQ(rate.Mismatches(1, "InUse.bmp"), 0);
}

TEST(ButtonPixels, PushButtonsShowTheirPressedImageOnlyWhileHeld)
{
    ASSERT_TRUE(LoadRealArchive());
    // 56: push toggle over "Background.bmp"; 45: the type button drawn whole ("PushType1.bmp",
    // "Toggle1.bmp", mode 0).
    RealButtons main(LayoutWindow::Main, {56, 45});
    EXPECT_EQ(main.BackdropMismatches(1), 0);
    EXPECT_EQ(main.Mismatches(2, "Toggle1.bmp"), 0);
    const struct {
        int32_t control, x, y;
        const char *pressed, *released;
    } cases[] = {{1, 80, 80, "PushToggle.bmp", nullptr}, {2, 40, 65, "PushType1.bmp", "Toggle1.bmp"}};
    for (const auto& c : cases) {
        main.Press(c.x, c.y);
        main.PaintIfNeeded();
        EXPECT_EQ(main.Mismatches(c.control, c.pressed), 0) << c.pressed;
        main.Release();
        main.PaintIfNeeded();
        EXPECT_EQ(c.released ? main.Mismatches(c.control, c.released) : main.BackdropMismatches(c.control), 0);
    }
    // Hidden by its visibility parameter, the type button is no longer drawn: the untouched fill
    // shows once the window is painted afresh.
    main.set.SetParameter(1, 1.0f);
    FillColour(main.window.buffer, kUntouched);
    main.page->GetRoot()->InvalidateTree();
    main.PaintIfNeeded();
    EXPECT_EQ(main.window.buffer.GetPixel(40, 65), kUntouched);
}

TEST(ButtonPixels, EffectSlotButtonsShowTheFaceNamedInTheirArgumentOrder)
{
    ASSERT_TRUE(LoadRealArchive());
    RealButtons main(LayoutWindow::Main, {47, 48});  // slot 0 at 37..62 x 35..60, slot 1 below
    const struct {
        float order, effectSwitch;
        bool pressSlot0;
        const char *slot0, *slot1;
    } cases[] = {
        {0.0f, 0.0f, false, "Eq1.bmp", "Comp.bmp"},
        {0.0f, 1.0f, false, "Amp1.bmp", "Comp.bmp"},
        {1.0f, 0.0f, false, "Comp.bmp", "Eq2.bmp"},
        {1.0f, 1.0f, false, "Comp.bmp", "Amp2.bmp"},
        {1.0f, 1.0f, true, "PushComp.bmp", "Amp2.bmp"},
        {0.0f, 1.0f, true, "PushAmp1.bmp", "Comp.bmp"},
        {0.0f, 0.0f, true, "PushEq1.bmp", "Comp.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.slot0) + " " + c.slot1);
        main.set.SetParameter(1, c.order);
        main.set.SetParameter(2, c.effectSwitch);
        if (c.pressSlot0)
            main.Press(50, 48);
        main.PaintIfNeeded();
        EXPECT_EQ(main.Mismatches(1, c.slot0), 0);
        EXPECT_EQ(main.Mismatches(2, c.slot1), 0);
        if (c.pressSlot0)
            main.Release();
    }
}

TEST(ButtonPixels, CopyAndPasteButtonsShowTheBackdropUntilPressed)
{
    ASSERT_TRUE(LoadRealArchive());
    RealButtons eq(LayoutWindow::Eq, {49, 50});  // copy 612..627 x 89..104, paste below
    EXPECT_EQ(eq.BackdropMismatches(1), 0);
    EXPECT_EQ(eq.BackdropMismatches(2), 0);
    eq.Press(620, 110);
    eq.PaintIfNeeded();
    EXPECT_EQ(eq.Mismatches(2, "PushDouble2.bmp"), 0);
    EXPECT_EQ(eq.BackdropMismatches(1), 0);
    eq.Release();
    eq.PaintIfNeeded();
    EXPECT_EQ(eq.BackdropMismatches(2), 0);
}

}  // namespace
