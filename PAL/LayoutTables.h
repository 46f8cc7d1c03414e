#pragma once
// The twelve window layout tables and what each window needs around its table: its size and the
// backdrop bitmap that every control of the window composes its images from. The tables live in
// resources/layouts (library velbrin_resources).

#include <cstdint>
#include "PAL/LayoutRecord.h"

enum class LayoutWindow : int32_t {
    Main,            // MainPage
    Shrink,          // ShrinkPage
    Tiny,            // TinyPage
    HighRate,        // HighRatePage, at 176.4 and 192 kHz
    ConnectionLost,  // ConnectionLostPage
    CustomInputMix,  // CustomMixWindow
    CustomCueMix,    // CustomCueMixWindow
    SampleRate,      // SampleRatePanel
    Reverb,          // ReverbPanel
    Eq,              // EqPanel
    Compressor,      // CompressorPanel
    AmpSim,          // AmpSimPanel
};

constexpr int32_t kLayoutWindowCount = 12;

struct LayoutTable {
    const LayoutRecord* records;
    int32_t count;
    int32_t width;         // window client size in pixels
    int32_t height;
    const char* backdrop;  // archive name of the window's backdrop bitmap
    const char* name;      // short name for traces and file names, e.g. "Main"
};

// The table of a window; a value outside the enumeration is a programming error (fatal).
const LayoutTable& GetLayoutTable(LayoutWindow window);

extern const LayoutRecord kMainLayout[132];
extern const LayoutRecord kShrinkLayout[56];
extern const LayoutRecord kTinyLayout[14];
extern const LayoutRecord kHighRateLayout[26];
extern const LayoutRecord kConnectionLostLayout[4];
extern const LayoutRecord kCustomInputMixLayout[11];
extern const LayoutRecord kCustomCueMixLayout[8];
extern const LayoutRecord kSampleRateLayout[10];
extern const LayoutRecord kReverbLayout[11];
extern const LayoutRecord kEqLayout[51];
extern const LayoutRecord kCompressorLayout[32];
extern const LayoutRecord kAmpSimLayout[16];
