// The connection-lost window: its real layout table and the built artwork in a skinned window. The
// screen shows exactly what the toolkit composes headlessly: the backdrop with its warning sign, and
// the two message lines drawn in the label font over it.
#include <gtest/gtest.h>

#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/wx/ClientPixels.h"
#include "PAL/wx/SkinWindow.h"
#include "support/FakeWindow.h"
#include "support/GuiPump.h"
#include "support/RealArchive.h"

namespace {

int32_t CountDifferences(const Bitmap& a, const Bitmap& b, const Rect& area)
{
    int32_t n = 0;
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            n += a.GetPixel(x, y) != b.GetPixel(x, y) ? 1 : 0;
    return n;
}

}  // namespace

TEST(ConnectionLostWindow, ShowsTheBackdropAndBothMessageLines)
{
    ASSERT_TRUE(LoadRealArchive());
    const LayoutTable& table = GetLayoutTable(LayoutWindow::ConnectionLost);
    ParameterSet set(nullptr, 0);
    ControlPage page(&set, table.records, table.count);
    auto* window = new SkinWindow(nullptr, wxID_ANY, " FireWire Connection Lost",
                                  wxCAPTION | wxFRAME_FLOAT_ON_PARENT | wxFRAME_TOOL_WINDOW, nullptr, 0,
                                  wxPoint(80, 80));
    window->SetView(&page);
    window->Show(true);
    const int64_t area = int64_t(table.width) * table.height;
    ASSERT_TRUE(PumpUntil([&] { return window->GetSurface().GetFigures().blittedPixels >= area; }));
    EXPECT_EQ(window->GetClientSize(), wxSize(300, 56));

    // The screen holds the window's buffer.
    const Bitmap& buffer = *window->GetSurface().GetBackBuffer();
    EXPECT_EQ(FirstDifference(ReadClientPixels(window), buffer), wxPoint(-1, -1));

    // The buffer holds what the same page composes without a display.
    {
        ControlPage headless(&set, table.records, table.count);
        FakeWindow fake(table.width, table.height);
        headless.AttachWindow(&fake);
        headless.Paint();
        EXPECT_EQ(CountDifferences(fake.buffer, buffer, Rect{0, 300, 0, 56}), 0);
    }

    // Outside the labels it is the backdrop; inside them the text changes some pixels of it.
    const Bitmap* backdrop = BitmapCache::Get("ConnectionLost.bmp");
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(CountDifferences(*backdrop, buffer, Rect{0, 60, 0, 56}), 0);
    EXPECT_EQ(CountDifferences(*backdrop, buffer, Rect{239, 300, 0, 56}), 0);
    EXPECT_EQ(CountDifferences(*backdrop, buffer, Rect{60, 239, 0, 20}), 0);
    EXPECT_GT(CountDifferences(*backdrop, buffer, Rect{60, 239, 20, 30}), 100);
    EXPECT_GT(CountDifferences(*backdrop, buffer, Rect{60, 239, 31, 42}), 100);

    window->SetView(nullptr);
    window->Destroy();
    PumpFor(20);
}
