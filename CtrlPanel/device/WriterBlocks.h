#pragma once
// The ten parameter-writer blocks the application builds: first device item and entry count of each,
// and the indices inside the blocks that the effects write. The device item of an index is the
// block's base item plus the index.

#include <cstdint>

// The polling thread sends at most this many pairs of one block per cycle (ParamWriter::PopPending).
constexpr uint32_t kWriterPairsPerCycle = 20;

// EQ, one block per input. Both cover the same items; the two panels use disjoint indices.
constexpr uint32_t kEq1BaseItem = 512;
constexpr uint32_t kEq2BaseItem = 512;
constexpr uint32_t kEqBlockCount = 180;

// Reverb: an own block per input, and one entry shared by both (the rate factor).
constexpr uint32_t kReverb1BaseItem = 1025;
constexpr uint32_t kReverb2BaseItem = 1030;
constexpr uint32_t kReverbBlockCount = 8;
constexpr uint32_t kReverbSharedBaseItem = 1024;
constexpr uint32_t kReverbSharedCount = 1;

// Compressor, one block per input.
constexpr uint32_t kCompressor1BaseItem = 768;
constexpr uint32_t kCompressor2BaseItem = 778;
constexpr uint32_t kCompressorBlockCount = 8;

// Indices inside a compressor block; every value is 1.31.
constexpr uint32_t kCompAttackIndex = 0;     // -exp(-1 / (attack s x rate))
constexpr uint32_t kCompThresholdIndex = 1;  // dB / 64
constexpr uint32_t kCompReleaseIndex = 2;    // exp(-1 / (release s x rate))
constexpr uint32_t kCompRatioIndex = 3;      // ratio / 2
constexpr uint32_t kCompMakeupIndex = 4;     // linear gain / 8
constexpr uint32_t kCompEnableIndex = 5;     // 1.0 on, 0.0 off
constexpr uint32_t kCompInputGainIndex = 6;  // linear gain / 8
constexpr uint32_t kCompOutputGainIndex = 7; // linear gain / 8

// Amp simulator, one block per input. The second block's first item is the first block's last.
constexpr uint32_t kAmpSim1BaseItem = 1280;
constexpr uint32_t kAmpSim2BaseItem = 1531;
constexpr uint32_t kAmpSimBlockCount = 252;

// FX order of the inputs: entry 0 input 1, entry 1 input 2.
constexpr uint32_t kFxOrderBaseItem = 501;
constexpr uint32_t kFxOrderCount = 2;

// Indices inside an EQ block. A band slot holds one coefficient set (ParamWriter::SetCoefficientSet)
// and spans 20 indices.
constexpr uint32_t kEqEnableIndex[2] = {0, 1};
constexpr uint32_t kEqInputGainIndex[2] = {2, 4};
constexpr uint32_t kEqOutputLevelIndex[2] = {3, 5};
constexpr uint32_t kEqBandSlot[2][4] = {{10, 50, 90, 130}, {30, 70, 110, 150}};  // LF, LowMid, Mid, HF
constexpr uint32_t kEqBandSlotSize = 20;

// Indices inside an amp-simulator block.
constexpr uint32_t kAmpEnableIndex = 0;
constexpr uint32_t kAmpLowPassSlot = 21;
constexpr uint32_t kAmpHighPassSlot = 41;
constexpr uint32_t kAmpLowToneSlot = 61;
constexpr uint32_t kAmpMidToneSlot = 81;
constexpr uint32_t kAmpHighToneSlot = 101;
constexpr uint32_t kAmpCurveFirstIndex = 121;  // 128 curve points, 121..248
constexpr uint32_t kAmpCurvePoints = 128;
constexpr uint32_t kAmpCurveCommitIndex = 249;
constexpr uint32_t kAmpOutputLevelIndex = 250;
