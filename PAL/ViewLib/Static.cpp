#include "PAL/ViewLib/Static.h"

#include <cstring>

#include "PAL/BackedBitmapFont.h"
#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

namespace {

// The label font: printable codes from the blank on, 20 x 5 cells of 7 x 7 pixels.
constexpr int32_t kFirstCode = 32, kCellWidth = 7, kCellHeight = 7, kColumns = 20, kRows = 5;

// Layout text is copied as it stands, "%%" read as "%" (the text was once a format string), and cut
// to what the label holds.
void CopyCaption(char (&to)[Static::kTextLength + 1], const char* from)
{
    int32_t n = 0;
    for (const char* p = from ? from : ""; *p && n < Static::kTextLength; ++p) {
        if (p[0] == '%' && p[1] == '%')
            ++p;
        to[n++] = *p;
    }
    to[n] = 0;
}

int32_t Keyword(const char* item)
{
    if (strncmp(item, "JUSTIFY_CENTRE", 14) == 0)
        return Static::Centre;
    if (strncmp(item, "JUSTIFY_RIGHT", 13) == 0)
        return Static::Right;
    return Static::Left;
}

}  // namespace

Static::Static(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

Static::~Static()
{
    Release();
}

void Static::Release()
{
    delete m_font;
    m_font = nullptr;
    m_image.Reset(0, 0);
}

void Static::Create(const char* const* items, int32_t count)
{
    Release();
    m_justification = Left;
    if (count < 1 || count > 5 || !items)
        return;
    Bitmap* glyphs = BitmapCache::Get(items[0]);
    if (!glyphs)
        return;  // without its font a label draws nothing
    m_image.Reset(GetWidth(), GetHeight());
    m_hasBackground = count > 3;
    const char* text = "";
    if (m_hasBackground) {
        Bitmap* mask = BitmapCache::Get(items[1]);
        m_font = new BackedBitmapFont(glyphs, mask, kFirstCode, kCellWidth, kCellHeight, kColumns, kRows, true);
        if (const Bitmap* backdrop = BitmapCache::Get(items[2]))
            m_image.SetBackground(backdrop, GetBounds());
        if (count == 5)
            m_justification = Keyword(items[3]);
        text = items[count - 1];
    } else {
        m_font = new BitmapFont(glyphs, kFirstCode, kCellWidth, kCellHeight, kColumns, kRows, true);
        if (count == 3)
            m_justification = Keyword(items[1]);
        if (count > 1)
            text = items[count - 1];
    }
    CopyCaption(m_text, text);
    CopyCaption(m_captionFormat, text);
    Place();
}

void Static::Place()
{
    const int32_t width = m_font ? m_font->MeasureText(m_text) : 0;
    const int32_t room = GetWidth();
    m_textX = m_justification == Centre ? (room - width) / 2 : m_justification == Right ? room - width : 0;
}

void Static::SetText(const char* text)
{
    strncpy(m_text, text ? text : "", kTextLength);
    m_text[kTextLength] = 0;
    Place();
    Invalidate();
}

void Static::SetCaptionFormat(const char* text)
{
    strncpy(m_captionFormat, text ? text : "", kTextLength);
    m_captionFormat[kTextLength] = 0;
}

void Static::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    m_owner->GetValueText(m_id, 0, m_text, kTextLength);
    // A value label keeps its justification when the text changes.
    Place();
    Invalidate();
}

void Static::Draw(DrawContext* context)
{
    Bitmap* image = m_font && context ? m_image.Begin() : nullptr;
    if (image) {
        m_font->DrawText(image, m_textX, 0, m_text);
        context->DrawBitmap(image, GetBounds(), nullptr);
    }
    m_dirty = false;
}
