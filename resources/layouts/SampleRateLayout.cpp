// The sample-rate window: 93 x 93 pixels over "SampleRate.bmp".
// Fields: index, left, right, top, bottom, class, parent, hidden, arguments, parameters.
#include <iterator>

#include "resources/layouts/WindowTables.h"

namespace {

const LayoutRecord kSampleRateLayout[] = {
    {0, 0, 93, 0, 93, "flCanvas", -1, 0,
     "SampleRate.bmp",
     {-1}},
    {1, 14, 27, 67, 76, "flExtLed", 0, 0,
     "SampleRateLedExt.bmp\nGrayLed.bmp\nSampleRate.bmp",
     {1, -1}},
    {2, 14, 27, 48, 57, "flRateLed", 0, 0,
     "SampleRateLed3.bmp\nGrayLed.bmp\nSampleRate.bmp\n6",
     {0, 2, -1}},
    {3, 14, 27, 40, 49, "flRateLed", 0, 0,
     "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n4",
     {0, 2, -1}},
    {4, 14, 27, 32, 41, "flRateLed", 0, 0,
     "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n3",
     {0, 2, -1}},
    {5, 14, 27, 24, 33, "flRateLed", 0, 0,
     "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n2",
     {0, 2, -1}},
    {6, 14, 27, 16, 25, "flRateLed", 0, 0,
     "SampleRateLed1.bmp\nGrayLed.bmp\nSampleRate.bmp\n1",
     {0, 2, -1}},
    {7, 61, 81, 24, 41, "flButton", 0, 0,
     "InUse.bmp\nSampleRate.bmp",
     {2, -1}},
    {8, 61, 81, 67, 76, "flButton", 0, 0,
     "Lck.bmp\nSampleRate.bmp",
     {3, -1}},
    {9, 30, 45, 69, 74, "flExtText", 0, 0,
     "SampleRateGreyExt.bmp\nSampleRate.bmp",
     {0, -1}},
};

}  // namespace

const LayoutTable kSampleRateTable = {kSampleRateLayout, int32_t(std::size(kSampleRateLayout)), 93, 93,
                                      "SampleRate.bmp", "SampleRate"};
