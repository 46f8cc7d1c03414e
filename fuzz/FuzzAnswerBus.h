#pragma once
// The simulated bus with the unit's AV/C answers edited by fuzz input: for each frame, a status code
// (kept, or a bus error), the answer's length (within the capacity offered) and bytes laid (xor) over
// the unit's answer. Without a source, or when it runs dry, answers pass unchanged.

#include "platform/sim/SimFireWireBus.h"

class FuzzedDataProvider;

class FuzzAnswerBus : public SimFireWireBus {
public:
    // Not owned; null stops editing.
    void SetSource(FuzzedDataProvider* source) { m_source = source; }
    int ExecuteAVC(FwHandle handle, const uint8_t* command, uint32_t commandLength, uint8_t* response,
                   uint32_t* responseLength) override;

private:
    FuzzedDataProvider* m_source = nullptr;
};
