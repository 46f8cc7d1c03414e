#include "PAL/ViewLib/TextBox.h"

#include <cstdio>
#include <cstring>

#include "PAL/BitmapCache.h"
#include "PAL/BitmapFont.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

namespace {

// Printable codes from the blank on, 20 x 5 cells of 5 x 7 pixels.
constexpr int32_t kFirstCode = 32, kCellWidth = 5, kCellHeight = 7, kColumns = 20, kRows = 5;
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

}  // namespace

TextBox::~TextBox()
{
    Release();
}

void TextBox::Release()
{
    delete m_font;
    delete m_image;
    m_font = nullptr;
    m_image = nullptr;
    m_fontBitmap = nullptr;
}

void TextBox::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    if (count != 1 || !items)
        return;
    m_fontBitmap = BitmapCache::Get(items[0]);
    if (!m_fontBitmap)
        return;
    m_font = new BitmapFont(m_fontBitmap, kFirstCode, kCellWidth, kCellHeight, kColumns, kRows, true);
    m_image = new Bitmap(GetWidth(), GetHeight());
    snprintf(m_text, sizeof m_text, "Val=%f", 0.0);
    m_length = int32_t(strlen(m_text));
    m_cursor = 0;
}

void TextBox::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    // Only the press toggles: the release of the same click would take the focus straight back.
    if (!m_hidden && pressed)
        SetFocus(!HasFocus());
}

void TextBox::SetFocus(bool focused)
{
    View::SetFocus(focused);
    Invalidate();
}

void TextBox::OnValueChanged(int32_t sub)
{
    if (sub != 0 || m_focused)
        return;
    if (m_owner)
        m_owner->GetValueText(m_id, 0, m_text, kMaxLength);
    m_text[kMaxLength] = 0;
    m_length = int32_t(strlen(m_text));
    if (m_cursor > m_length)
        m_cursor = m_length;
    Invalidate();
}

void TextBox::Insert(char c)
{
    if (m_length >= kMaxLength)
        return;
    memmove(m_text + m_cursor + 1, m_text + m_cursor, size_t(m_length - m_cursor) + 1);
    m_text[m_cursor++] = c;
    ++m_length;
}

void TextBox::Remove(int32_t at)
{
    memmove(m_text + at, m_text + at + 1, size_t(m_length - at));
    --m_length;
}

void TextBox::OnKey(int32_t key, int32_t, DrawContext* context)
{
    const bool jump = context && (context->IsCommandDown() || context->IsOptionDown());
    if (key >= 32 && key <= 126) {
        Insert(char(key));
    } else {
        switch (key) {
        case Backspace:
            if (m_cursor > 0)
                Remove(--m_cursor);
            break;
        case Delete:
            if (m_cursor < m_length)
                Remove(m_cursor);
            break;
        case Left:
            m_cursor = jump ? 0 : (m_cursor > 0 ? m_cursor - 1 : 0);
            break;
        case Right:
            m_cursor = jump ? m_length : (m_cursor < m_length ? m_cursor + 1 : m_length);
            break;
        case Start:
            m_cursor = 0;
            break;
        case End:
            m_cursor = m_length;
            break;
        case LineFeed:
        case Return:
            SetFocus(false);
            break;
        case Escape:
            m_focused = false;
            OnValueChanged(0);
            SetFocus(false);
            break;
        default:
            break;
        }
    }
    Invalidate();
}

void TextBox::Paint(DrawContext* context)
{
    if (m_font && m_image && m_image->IsValid() && context && !m_hidden) {
        if (m_focused) {
            context->BeginBitmapDraw(m_image, 0, 0);
            context->EraseRect(m_image->GetRect());
            context->EndBitmapDraw(m_image, 0, 0);
        } else {
            m_image->Fill(0);
        }
        if (m_focused)
            m_font->DrawTextTinted(m_image, 0, 0, m_text, kBlack, kWhite, 1.0f);
        else
            m_font->DrawTextTinted(m_image, 0, 0, m_text, kWhite, kBlack, 1.0f);
        context->DrawBitmap(m_image, GetBounds(), nullptr);
        char before[kMaxLength + 1];
        memcpy(before, m_text, size_t(m_cursor));
        before[m_cursor] = 0;
        const int32_t x = m_left + m_font->MeasureText(before) - 1;
        context->DrawLine(x, m_top, x, m_bottom);
    }
    m_dirty = false;
}
