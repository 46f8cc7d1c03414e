#pragma once
// The panel windows both main frames share: the first frame makes them, either frame shows and hides
// them. Not owned here. GUI thread only.

#include <cstdint>

class LinkWindow;
class PageController;

// The effect windows, in the frames' order.
enum EffectWindowIndex : int32_t {
    kEqWindow1 = 0,
    kEqWindow2,
    kCompressorWindow1,
    kCompressorWindow2,
    kAmpSimWindow1,
    kAmpSimWindow2,
    kReverbWindow1,
    kReverbWindow2,
    kEffectWindowCount
};

struct FramePanels {
    static constexpr int32_t kPairs = 5;

    // Titles of the effect windows with mono inputs, in window order.
    static constexpr const char* kEffectTitles[kEffectWindowCount] = {
        " EQ - Analog Input 1",         " EQ - Analog Input 2",         " Compressor - Analog Input 1",
        " Compressor - Analog Input 2", " Amp Simulator - Analog Input 1", " Amp Simulator - Analog Input 2",
        " Reverb - Analog Input 1",     " Reverb - Analog Input 2"};
    // Titles of the input-1 windows while the inputs are a stereo pair (EQ, compressor, amp simulator,
    // reverb); the input-2 windows are hidden then.
    static constexpr const char* kStereoTitles[4] = {" EQ - Stereo", " Compressor - Stereo",
                                                     " Amp Simulator - Stereo", " Reverb - Stereo"};

    // Custom input mix and custom playback mix of outputs 1&2 .. 9&10.
    LinkWindow* inputMix[kPairs] = {};
    LinkWindow* cueMix[kPairs] = {};
    // The playback-mix windows' own controllers, which the "SoundCard Mode" preset writes as well.
    PageController* cueMixControllers[kPairs] = {};
    LinkWindow* sampleRate = nullptr;
    LinkWindow* effects[kEffectWindowCount] = {};
};

// Hides a shown window; shows and raises a hidden one. Nothing for null.
void ToggleWindow(LinkWindow* window);
// Shows the window and brings it to the front.
void ShowAndRaise(LinkWindow* window);
