#pragma once
// The table positions of the records that code outside the layout tables addresses: the meters a
// page or panel feeds, the controls a panel changes, the controls the artwork captions. One namespace
// per window of LayoutTables.h; a record that moves in its table moves here.

#include <cstdint>

namespace MainRecords {
// Peak meters: the effect inputs ("IN 1", "2"), the analog inputs, the S/PDIF input.
inline constexpr int32_t kEffectInput1Meter = 123;
inline constexpr int32_t kEffectInput2Meter = 62;
inline constexpr int32_t kAnalog1Meter = 124;
inline constexpr int32_t kAnalog2Meter = 125;
inline constexpr int32_t kSpdifLeftMeter = 126;
inline constexpr int32_t kSpdifRightMeter = 127;
// Playback faders and the reverb-send trays of the five output pairs, 1&2 first.
inline constexpr int32_t kPlaybackFaders[5] = {85, 86, 87, 88, 89};
inline constexpr int32_t kReverbSendTrays[5] = {63, 66, 128, 69, 72};
// The push buttons of the right column.
inline constexpr int32_t kLoad = 115;
inline constexpr int32_t kSave = 116;
inline constexpr int32_t kCard = 117;
inline constexpr int32_t kTrack = 118;
inline constexpr int32_t kShrink = 119;
inline constexpr int32_t kFloat = 120;
inline constexpr int32_t kRate = 121;
}  // namespace MainRecords

namespace ShrinkRecords {
inline constexpr int32_t kEffectInput1Meter = 32;
inline constexpr int32_t kEffectInput2Meter = 53;
inline constexpr int32_t kAnalog1Meter = 27;
inline constexpr int32_t kAnalog2Meter = 28;
inline constexpr int32_t kSpdifLeftMeter = 30;
inline constexpr int32_t kSpdifRightMeter = 31;
inline constexpr int32_t kSmall = 2;
inline constexpr int32_t kBig = 3;
inline constexpr int32_t kFloat = 54;
}  // namespace ShrinkRecords

namespace TinyRecords {
// The three output strips, left to right.
inline constexpr int32_t kCrossFaders[3] = {3, 4, 5};
inline constexpr int32_t kMutes[3] = {9, 10, 11};
inline constexpr int32_t kBig = 2;
inline constexpr int32_t kFloat = 12;
}  // namespace TinyRecords

namespace HighRateRecords {
// The five output pairs, 1&2 first; the last pair has no hardware-level switch.
inline constexpr int32_t kMutes[5] = {6, 10, 13, 16, 19};
inline constexpr int32_t kSolos[5] = {8, 12, 15, 17, 20};
inline constexpr int32_t kHardwareLevels[4] = {7, 11, 14, 18};
inline constexpr int32_t kDim = 9;
inline constexpr int32_t kLoad = 21;
inline constexpr int32_t kSave = 22;
inline constexpr int32_t kFloat = 23;
inline constexpr int32_t kRate = 24;
}  // namespace HighRateRecords

namespace CustomInputMixRecords {
inline constexpr int32_t kInputFaders[4] = {1, 2, 3, 4};
inline constexpr int32_t kCopy = 9;
inline constexpr int32_t kPaste = 10;
}  // namespace CustomInputMixRecords

namespace CustomCueMixRecords {
inline constexpr int32_t kPlaybackFaders[5] = {1, 2, 3, 4, 5};
inline constexpr int32_t kCopy = 6;
inline constexpr int32_t kPaste = 7;
}  // namespace CustomCueMixRecords

namespace SampleRateRecords {
inline constexpr int32_t kExtLed = 1;
// The rate lamps, top to bottom.
inline constexpr int32_t k44kLamp = 6;
inline constexpr int32_t k48kLamp = 5;
inline constexpr int32_t k88kLamp = 4;
inline constexpr int32_t k96kLamp = 3;
inline constexpr int32_t k192kLamp = 2;
inline constexpr int32_t kInUse = 7;
inline constexpr int32_t kLock = 8;
inline constexpr int32_t kExtText = 9;
}  // namespace SampleRateRecords

namespace ReverbRecords {
inline constexpr int32_t kCopy = 9;
inline constexpr int32_t kPaste = 10;
}  // namespace ReverbRecords

namespace EqRecords {
inline constexpr int32_t kLfGainKnob = 2;
inline constexpr int32_t kLfQKnob = 6;
inline constexpr int32_t kHfQKnob = 9;
inline constexpr int32_t kHfGainKnob = 15;
inline constexpr int32_t kLfSymbol = 20;
inline constexpr int32_t kHfSymbol = 21;
inline constexpr int32_t kFirstBandCaption = 28;  // four, the LF band's first
inline constexpr int32_t kInputFader = 41;
inline constexpr int32_t kOutputFader = 42;
inline constexpr int32_t kOutputMeter = 45;
inline constexpr int32_t kInputMeter = 46;
inline constexpr int32_t kCopy = 49;
inline constexpr int32_t kPaste = 50;
}  // namespace EqRecords

namespace CompressorRecords {
inline constexpr int32_t kInputFader = 20;
inline constexpr int32_t kOutputFader = 21;
inline constexpr int32_t kInputMeter = 27;
inline constexpr int32_t kReductionMeter = 28;
inline constexpr int32_t kOutputMeter = 29;
inline constexpr int32_t kCopy = 30;
inline constexpr int32_t kPaste = 31;
}  // namespace CompressorRecords

namespace AmpSimRecords {
inline constexpr int32_t kMeter = 2;
inline constexpr int32_t kOutputFader = 11;
inline constexpr int32_t kCopy = 14;
inline constexpr int32_t kPaste = 15;
}  // namespace AmpSimRecords
