#pragma once
// The rotary knob of the skinned windows, drawn from bitmap strips and turned by dragging the mouse in
// a straight line: 200 pixels along the dominant axis (up or right) sweep the whole range, 1000 with
// Shift. Bound parameter 0 is the value (normalised 0..1).
//
// Arguments: cap strip, cap mask, track strip, track mask, window background (exactly 5). The strips
// hold kKnobFrames frames (ControlGeometry.h): caps drawn at (kCapOffset, kCapOffset) through the cap
// mask (the size of one cap); track arcs blended at (0, 0) through a mask the size of the whole track
// strip.

#include <cstdint>

#include "PAL/ViewLib/BackdropImage.h"
#include "PAL/ViewLib/ControlGeometry.h"
#include "PAL/ViewLib/View.h"

class flKnob : public View {
public:
    flKnob(const LayoutRecord* record, ControlPage* page);
    ~flKnob() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    // A press starts the drag.
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    // One drag step from the last pointer position; nothing while the pointer stands still.
    void OnDrag(DrawContext* context) override;
    void Paint(DrawContext* context) override;

    // The strip frame (0..28) shown for a value: 14 within 2.5 degrees of the centre of a 270-degree
    // sweep, 15 or 13 up to 10 degrees, then one frame per further 10 degrees. NaN shows frame 0.
    static int32_t FrameOf(float value);


    // Pixels of movement for the whole range, normally and with Shift.
    static constexpr float kScale = 200.0f;
    static constexpr float kFineScale = 1000.0f;

protected:
    // Forgets the strips and makes a cleared work image and background of the control's size.
    void ResetImages();
    // The strips and masks of items 0..3, and a cap frame the size of the cap mask.
    void LoadStrips(const char* const* items);
    // The part of the named bitmap under rect goes into the background.
    void CutBackground(const char* name, const Rect& rect);
    // Moves the value by the pointer's step from the last position along the dominant axis (a tie
    // goes to the vertical) at scale pixels per range; returns it clamped to 0..1.
    float Step(int32_t x, int32_t y, float scale);
    // Writes the value and paints the knob at once.
    void Commit(DrawContext* context);
    // Composes the frame of the value with caps from caps and draws it; nothing when a bitmap is missing.
    void Compose(DrawContext* context, const Bitmap* caps);

    float m_value = 0.0f;
    int32_t m_lastX = 0;
    int32_t m_lastY = 0;
    const Bitmap* m_capStrip = nullptr;
    const Bitmap* m_capMask = nullptr;
    BackdropImage m_work;      // the background under the knob, then the track and the cap
    BackdropImage m_capFrame;  // one cap frame, the cap mask's size
    const Bitmap* m_trackStrip = nullptr;
    const Bitmap* m_trackMask = nullptr;
};
