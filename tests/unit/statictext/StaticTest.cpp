// Text labels drawn with the real font and backdrop: justification, captions, value text, and labels
// whose font is missing.
#include <gtest/gtest.h>

#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/Static.h"
#include "support/FakeWindow.h"
#include "support/PixelPicture.h"
#include "support/RealArchive.h"
#include "unit/params/ParamTestSupport.h"

namespace {

const ParamDescriptor kParams[1] = {MakeDescriptor("Level", 0, 100, 50, UnitPercent, TaperLinear, 0)};

// Renders one label 120 x 10 at (10, 20) of a 160 x 40 window over "ConnectionLost.bmp".
struct Label {
    explicit Label(const char* strings, std::initializer_list<int32_t> params = {})
    {
        table[0] = {0, 0, 160, 0, 40, "View", -1, 0, "", {-1}};
        table[1] = {1, 10, 130, 20, 30, "Static", 0, 0, strings, {-1}};
        int32_t k = 0;
        for (int32_t p : params)
            table[1].params[k++] = p;
        table[1].params[k] = -1;
        page = std::make_unique<ControlPage>(&set, table, 2);
        FillColour(window.buffer, 0x5A5A5A);
        page->AttachWindow(&window);
        page->Paint();
    }
    Static* label() { return static_cast<Static*>(page->GetView(1)); }
    // Columns (window x) in the label's rows whose pixels differ from the backdrop.
    std::vector<int32_t> InkColumns()
    {
        const Bitmap* backdrop = BitmapCache::Get("ConnectionLost.bmp");
        std::vector<int32_t> columns;
        for (int32_t x = 10; x < 130; ++x)
            for (int32_t y = 20; y < 30; ++y)
                if (window.buffer.GetPixel(x, y) != backdrop->GetPixel(x, y)) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }
    LayoutRecord table[2];
    ParameterSet set{kParams, 1};
    FakeWindow window{160, 40};
    std::unique_ptr<ControlPage> page;
};

std::vector<int32_t> Shifted(std::vector<int32_t> columns, int32_t by)
{
    for (int32_t& c : columns)
        c += by;
    return columns;
}

TEST(StaticText, JustificationPlacesTheSameInkAtTheComputedOffset)
{
    ASSERT_TRUE(LoadRealArchive());
    const char* base = "font.bmp\nFontMask.bmp\nConnectionLost.bmp\n";
    Label left((std::string(base) + "JUSTIFY_LEFT\nTONE").c_str());
    Label centre((std::string(base) + "JUSTIFY_CENTRE\nTONE").c_str());
    Label right((std::string(base) + "JUSTIFY_RIGHT\nTONE").c_str());
    Label other((std::string(base) + "JUSTIFY_SIDEWAYS\nTONE").c_str());
    const auto ink = left.InkColumns();
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(left.label()->GetTextX(), 0);
    EXPECT_GT(centre.label()->GetTextX(), 0);
    EXPECT_EQ(right.label()->GetTextX(), 2 * centre.label()->GetTextX() + (120 - 2 * centre.label()->GetTextX()) % 2);
    EXPECT_EQ(centre.InkColumns(), Shifted(ink, centre.label()->GetTextX()));
    EXPECT_EQ(right.InkColumns(), Shifted(ink, right.label()->GetTextX()));
    EXPECT_EQ(other.InkColumns(), ink);
    // Outside the label the window is untouched.
    EXPECT_EQ(centre.window.buffer.GetPixel(9, 25), 0x5A5A5Au);
    EXPECT_EQ(centre.window.buffer.GetPixel(130, 25), 0x5A5A5Au);
}

TEST(StaticText, TextWiderThanARightAlignedLabelIsCutOnTheLeft)
{
    ASSERT_TRUE(LoadRealArchive());
    const std::string wide(40, 'W');
    Label right(("font.bmp\nFontMask.bmp\nConnectionLost.bmp\nJUSTIFY_RIGHT\n" + wide).c_str());
    EXPECT_LT(right.label()->GetTextX(), 0);
    const auto ink = right.InkColumns();
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink.front(), 10);  // the first column of the label already carries ink
    EXPECT_GE(ink.back(), 126);
}

TEST(StaticText, CaptionsAreCopiedLiterallyAndRecentredWhenTheyChange)
{
    ASSERT_TRUE(LoadRealArchive());
    Label label("font.bmp\nFontMask.bmp\nConnectionLost.bmp\nJUSTIFY_CENTRE\n100%% %d %s");
    EXPECT_STREQ(label.label()->GetText(), "100% %d %s");
    EXPECT_STREQ(label.label()->GetCaptionFormat(), "100% %d %s");
    const int32_t before = label.label()->GetTextX();
    label.label()->SetText("Q");
    EXPECT_GT(label.label()->GetTextX(), before);
    EXPECT_TRUE(label.page->NeedsPaint());
    EXPECT_STREQ(label.label()->GetCaptionFormat(), "100% %d %s");

    const std::string longText(400, 'A');
    label.label()->SetText(longText.c_str());
    EXPECT_EQ(strlen(label.label()->GetText()), 255u);
}

TEST(StaticText, ABoundLabelShowsTheValueTextAndKeepsItsJustification)
{
    ASSERT_TRUE(LoadRealArchive());
    Label label("font.bmp\nFontMask.bmp\nConnectionLost.bmp\nJUSTIFY_RIGHT\n", {0});
    EXPECT_STREQ(label.label()->GetText(), "50.000 %");
    const int32_t x50 = label.label()->GetTextX();
    label.page->SetPlainValue(1, 0, 100.0f);
    EXPECT_STREQ(label.label()->GetText(), "100.000 %");
    EXPECT_LT(label.label()->GetTextX(), x50);
}

TEST(StaticText, LabelsWithoutFontOrWithTheWrongItemCountDrawNothing)
{
    ASSERT_TRUE(LoadRealArchive());
    const char* cases[] = {"NoFont.bmp\nJUSTIFY_LEFT\nTONE", "", "a\nb\nc\nd\ne\nf"};
    for (const char* strings : cases) {
        Label label(strings);
        EXPECT_TRUE(label.window.changed.empty()) << strings;
        EXPECT_EQ(label.window.buffer.GetPixel(20, 25), 0x5A5A5Au) << strings;
    }
    // Plain font, no background: the label is drawn over a cleared image.
    Label plain("font.bmp\nJUSTIFY_LEFT\nTONE");
    EXPECT_EQ(plain.window.buffer.GetPixel(129, 29), 0u);
}

}  // namespace
