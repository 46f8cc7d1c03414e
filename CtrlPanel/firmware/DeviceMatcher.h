#pragma once
// Finds the units the updater may write: vendor id 0x5D3B, product id 0, and a GUID of our
// company with the Velbrin's model word (the rule discovery uses).

#include "platform/FireWireRawBus.h"

#include <vector>

class DeviceMatcher {
public:
    static constexpr uint32_t kVendorId = 0x5D3B;
    static constexpr uint32_t kProductId = 0;

    // The matching units on the raw bus in use, in bus order. Units without a GUID are skipped.
    static std::vector<FwDeviceInfo> Find();
};
