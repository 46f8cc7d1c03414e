#pragma once
// The twelve window layout tables and what each window needs around its table: its size and the
// backdrop bitmap that every control of the window composes its images from. The tables live in
// resources/layouts (library velbrin_resources) and are reached only through GetLayoutTable, whose
// count is the number of records the table holds.

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
