// Typed records travel through the desktop clipboard from one window's drawing context to another's.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <wx/dataobj.h>

#include "PAL/DrawContext.h"
#include "platform/wx/WxClipboard.h"
#include "support/GuiTestPage.h"

namespace {

constexpr uint32_t kPanelFlavor = 0x766C6250;  // 'vlbP'
constexpr uint32_t kOtherFlavor = 0x766C624F;  // 'vlbO'

}  // namespace

TEST(Clipboard, ARecordTravelsBetweenTwoWindows)
{
    GuiTestPage first(wxPoint(40, 40)), second(wxPoint(240, 40));
    DrawContext* from = first.page->GetContext();
    DrawContext* to = second.page->GetContext();
    ASSERT_TRUE(from && to && from != to);

    std::vector<uint8_t> record(300);
    for (size_t i = 0; i < record.size(); ++i)
        record[i] = uint8_t(i * 7 + 3);
    record[10] = 0;  // records are bytes, not text
    from->PutClipboard(record.data(), uint32_t(record.size()), kPanelFlavor);

    ASSERT_EQ(to->GetClipboardSize(kPanelFlavor), record.size());
    EXPECT_EQ(to->GetClipboardSize(kOtherFlavor), 0u);
    std::vector<uint8_t> read(record.size() + 8, 0xEE);
    EXPECT_EQ(to->GetClipboard(read.data(), uint32_t(read.size()), kPanelFlavor), record.size());
    EXPECT_TRUE(std::equal(record.begin(), record.end(), read.begin()));
    EXPECT_EQ(read[record.size()], 0xEE);

    // A read is bounded by the caller's buffer.
    std::vector<uint8_t> small(16, 0xEE);
    EXPECT_EQ(to->GetClipboard(small.data(), 12, kPanelFlavor), 12u);
    EXPECT_TRUE(std::equal(record.begin(), record.begin() + 12, small.begin()));
    EXPECT_EQ(small[12], 0xEE);

    // Another flavor replaces the record.
    const uint32_t other = 0x01020304;
    to->PutClipboard(&other, sizeof other, kOtherFlavor);
    EXPECT_EQ(from->GetClipboardSize(kPanelFlavor), 0u);
    EXPECT_EQ(from->GetClipboardSize(kOtherFlavor), sizeof other);
    uint32_t back = 0;
    EXPECT_EQ(from->GetClipboard(&back, sizeof back, kOtherFlavor), sizeof back);
    EXPECT_EQ(back, other);
}

TEST(Clipboard, EachFlavorHasAPrivateFormat)
{
    EXPECT_EQ(WxClipboard::FormatOf(kPanelFlavor).GetId(), "application/x-velbrincontrol-766c6250");
    EXPECT_NE(WxClipboard::FormatOf(kPanelFlavor).GetId(), WxClipboard::FormatOf(kOtherFlavor).GetId());
}
