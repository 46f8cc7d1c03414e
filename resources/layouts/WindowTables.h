#pragma once
// The table of each window, defined beside its records (one file per window); LayoutTables.cpp
// orders them by LayoutWindow.

#include "PAL/LayoutTables.h"

extern const LayoutTable kMainTable;
extern const LayoutTable kShrinkTable;
extern const LayoutTable kTinyTable;
extern const LayoutTable kHighRateTable;
extern const LayoutTable kConnectionLostTable;
extern const LayoutTable kCustomInputMixTable;
extern const LayoutTable kCustomCueMixTable;
extern const LayoutTable kSampleRateTable;
extern const LayoutTable kReverbTable;
extern const LayoutTable kEqTable;
extern const LayoutTable kCompressorTable;
extern const LayoutTable kAmpSimTable;
