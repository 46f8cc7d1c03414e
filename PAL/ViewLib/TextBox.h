#pragma once
// A one-line editable text drawn with a bitmap font of 5 x 7 cells. A press toggles the keyboard
// focus; while focused the box shows black text on white and ignores value changes, otherwise white
// text on black showing the bound parameter's value text. Return or Enter ends editing without
// writing the text; Escape reloads it from the parameter.
//
// Keys: 32..126 insert at the cursor (at most kMaxLength characters), 8 deletes before the cursor,
// 127 at it; 14 and 15 move left and right (with Command or Option: to the start or the end); 16 and
// 17 go to the start and the end; 10 and 13 end editing; 27 cancels it.
//
// Arguments: the font bitmap (1 item). Parameter 0: the value shown.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class BitmapFont;

class TextBox : public View {
public:
    TextBox(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~TextBox() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnKey(int32_t key, int32_t second, DrawContext* context) override;
    // As the base, and the box repaints in its new look.
    void SetFocus(bool focused) override;
    void Paint(DrawContext* context) override;

    const char* GetText() const { return m_text; }
    int32_t GetCursor() const { return m_cursor; }
    int32_t GetLength() const { return m_length; }

    static constexpr int32_t kMaxLength = 255;

    enum Key : int32_t {
        Backspace = 8,
        LineFeed = 10,
        Return = 13,
        Left = 14,
        Right = 15,
        Start = 16,
        End = 17,
        Escape = 27,
        Delete = 127,
    };

private:
    void Release();
    void Insert(char c);
    void Remove(int32_t at);

    char m_text[kMaxLength + 1] = {};
    int32_t m_cursor = 0;
    int32_t m_length = 0;
    BitmapFont* m_font = nullptr;      // owned
    Bitmap* m_fontBitmap = nullptr;    // the cache's
    Bitmap* m_image = nullptr;         // owned
};
