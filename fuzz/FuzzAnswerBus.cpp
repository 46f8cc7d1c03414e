#include "fuzz/FuzzAnswerBus.h"

#include <fuzzer/FuzzedDataProvider.h>

int FuzzAnswerBus::ExecuteAVC(FwHandle handle, const uint8_t* command, uint32_t commandLength, uint8_t* response,
                              uint32_t* responseLength)
{
    const uint32_t capacity = *responseLength;
    int status = SimFireWireBus::ExecuteAVC(handle, command, commandLength, response, responseLength);
    if (!m_source || m_source->remaining_bytes() == 0)
        return status;
    static const int kErrors[] = {kFwTimeout, kFwBusReset, kFwNoDevice, kFwNotResponding, kFwError, -1};
    const uint8_t choice = m_source->ConsumeIntegral<uint8_t>();
    if (choice >= 224)
        return kErrors[choice % 6];
    const uint32_t length = m_source->ConsumeIntegralInRange<uint32_t>(0, capacity);
    const std::vector<uint8_t> edits = m_source->ConsumeBytes<uint8_t>(length);
    for (uint32_t i = 0; i < length; ++i)
        response[i] = uint8_t((i < *responseLength ? response[i] : 0) ^ (i < edits.size() ? edits[i] : 0));
    *responseLength = length;
    return status;
}
