#pragma once
// What the classes below the HAL may ask of it: item reads and writes, the sample rate, and a close
// after a failed transfer. The HAL is the one implementation; it hands itself to them when it builds
// them, and nothing deletes it through this interface.
//
// Threads: the polling thread calls GetValue(s), SetValuesDirect and Close; the GUI thread calls
// SetValue and GetSampleRate. A write made on another thread than the polling thread pauses that
// thread around its transfer.

#include "CtrlPanel/device/ItemValue.h"

#include <cstdint>

class ItemAccess {
public:
    // 0; -1 when closed or the polling thread is paused; else the transfer's code (the unit is then
    // closed).
    virtual int GetValues(ItemValue* pairs, uint32_t n) = 0;
    virtual int GetValue(ItemValue* pair) = 0;
    virtual int SetValue(const ItemValue& pair) = 0;
    virtual int SetValuesDirect(const ItemValue* pairs, uint32_t n) = 0;
    // Hz; 0 while the unit is closed or its rate unknown.
    virtual int GetSampleRate() const = 0;
    virtual void Close() = 0;

protected:
    ~ItemAccess() = default;
};
