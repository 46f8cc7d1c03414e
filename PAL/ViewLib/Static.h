#pragma once
// A one-line text label drawn with the bitmap font: captions, the effect panels' band and preset
// captions, the connection-lost message, or the value text of a bound parameter. The text is drawn
// into an image the size of the label, over the window background under the label (or a cleared
// image), and the image is drawn to the label's rectangle.
//
// Arguments: font bitmap, font mask, background bitmap, justification keyword, text (5 items); or
// font, mask, background, text (4); font, justification, text (3); font, text (2); font (1).

#include <cstdint>

#include "PAL/ViewLib/BackdropImage.h"
#include "PAL/ViewLib/View.h"

class BitmapFont;

class Static : public View {
public:
    Static(const LayoutRecord* record, ControlPage* page);
    ~Static() override;

    void SetBitmaps(const char* const* items, int32_t count) override { Create(items, count); }
    // Sub 0: the text becomes the bound parameter's value text.
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override { Draw(context); }

    virtual void SetText(const char* text);
    virtual void SetCaptionFormat(const char* text);
    virtual const char* GetCaptionFormat() const { return m_captionFormat; }

    void Create(const char* const* items, int32_t count);
    void Draw(DrawContext* context);

    const char* GetText() const { return m_text; }
    int32_t GetTextX() const { return m_textX; }

    enum Justification : int32_t { Left = 0, Centre = 1, Right = 2 };
    // Characters a text holds (without its NUL).
    static constexpr int32_t kTextLength = 255;

private:
    void Release();
    void Place();

    char m_text[kTextLength + 1] = {};
    char m_captionFormat[kTextLength + 1] = {};
    BitmapFont* m_font = nullptr;
    BackdropImage m_image;  // the background under the label (or black), then the text
    bool m_hasBackground = false;
    int32_t m_justification = Left;
    int32_t m_textX = 0;
};
