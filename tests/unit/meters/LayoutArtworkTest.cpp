// Every meter, lamp and mix selector of the twelve window layouts finds the artwork it cuts from,
// in the sizes it draws: bars as tall as the meter, lamps and pressed faces the control's size, the
// mix screen large enough for the crosses, and the window's own backdrop under each.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "support/RealArchive.h"

namespace {

struct Use {
    const LayoutTable& table;
    const LayoutRecord& record;
    std::vector<std::string> items;

    int32_t Width() const { return record.right - record.left; }
    int32_t Height() const { return record.bottom - record.top; }
    std::string Where() const { return std::string(table.name) + " record " + std::to_string(record.index); }

    const Bitmap* Image(size_t item) const
    {
        const Bitmap* image = item < items.size() ? BitmapCache::Get(items[item].c_str()) : nullptr;
        EXPECT_TRUE(image && image->IsValid()) << Where() << ": item " << item + 1;
        return image && image->IsValid() ? image : nullptr;
    }
    // An image exactly the control's size.
    void ControlSized(size_t item) const
    {
        if (const Bitmap* image = Image(item)) {
            EXPECT_EQ(image->GetWidth(), Width()) << Where() << ": " << items[item];
            EXPECT_EQ(image->GetHeight(), Height()) << Where() << ": " << items[item];
        }
    }
    // An image of at least w x h placed at (x, y) inside the control.
    void Fits(size_t item, int32_t x, int32_t y, int32_t w, int32_t h) const
    {
        if (const Bitmap* image = Image(item)) {
            EXPECT_GE(image->GetWidth(), w) << Where() << ": " << items[item];
            EXPECT_GE(image->GetHeight(), h) << Where() << ": " << items[item];
            EXPECT_LE(x + image->GetWidth(), Width()) << Where() << ": " << items[item];
            EXPECT_LE(y + image->GetHeight(), Height()) << Where() << ": " << items[item];
        }
    }
    // The window's backdrop, covering the control.
    void Backdrop(size_t item) const
    {
        ASSERT_LT(item, items.size()) << Where();
        EXPECT_EQ(items[item], table.backdrop) << Where();
        if (const Bitmap* image = Image(item)) {
            EXPECT_LE(record.right, image->GetWidth()) << Where();
            EXPECT_LE(record.bottom, image->GetHeight()) << Where();
        }
    }
};

TEST(LayoutArtwork, MetersLampsAndMixSelectorsFindTheirArtworkInTheirSizes)
{
    ASSERT_TRUE(LoadRealArchive());
    std::map<std::string, int> uses;
    for (int32_t w = 0; w < kLayoutWindowCount; ++w) {
        const LayoutTable& table = GetLayoutTable(LayoutWindow(w));
        for (int32_t i = 0; i < table.count; ++i) {
            const Use use{table, table.records[i], SplitLayoutArguments(table.records[i].strings)};
            const std::string cls = use.record.className;
            if (cls == "flPPM" || cls == "flInvPPM") {
                ASSERT_EQ(use.items.size(), cls == "flPPM" ? 3u : 2u) << use.Where();
                use.ControlSized(0);
                use.Backdrop(1);
                if (cls == "flPPM")
                    use.ControlSized(2);
            } else if (cls == "flExtLed" || cls == "flRateLed") {
                ASSERT_EQ(use.items.size(), cls == "flExtLed" ? 3u : 4u) << use.Where();
                use.ControlSized(0);
                use.Fits(1, 4, 2, 1, 1);
                use.Backdrop(2);
                if (cls == "flRateLed") {
                    EXPECT_TRUE(use.items[3].size() == 1 && isdigit(use.items[3][0])) << use.Where();
                }
            } else if (cls == "flFXLed") {
                ASSERT_EQ(use.items.size(), 4u) << use.Where();
                for (size_t k = 0; k < 4; ++k)
                    use.ControlSized(k);
            } else if (cls == "flCueMixButton" || cls == "flIpMixButton") {
                ASSERT_EQ(use.items.size(), 3u) << use.Where();
                // The screen at (5, 4) lies under every cross: columns 5..19, rows 4..20 of the button.
                use.Fits(0, 5, 4, 15, 17);
                use.ControlSized(1);
                use.Backdrop(2);
            } else {
                continue;
            }
            ++uses[cls];
        }
    }
    const std::map<std::string, int> expected = {{"flPPM", 17},         {"flInvPPM", 1},      {"flExtLed", 1},
                                                 {"flRateLed", 5},       {"flFXLed", 4},       {"flCueMixButton", 8},
                                                 {"flIpMixButton", 5}};
    EXPECT_EQ(uses, expected);
}

}  // namespace
