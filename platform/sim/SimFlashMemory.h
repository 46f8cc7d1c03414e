#pragma once
// The unit's flash as the update protocol leaves it. Unprogrammed bytes read 0xFF; programming can
// only clear bits, as on real flash, so a byte written twice without an erase between reads the AND
// of both. Not locked: its owner guards it.

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class SimFlashMemory {
public:
    void Erase(uint32_t address, uint32_t length);
    void Program(uint32_t address, const uint8_t* data, uint32_t length);
    std::vector<uint8_t> Read(uint32_t address, uint32_t length) const;
    // The programmed bytes as {address, length} runs, in address order.
    std::vector<std::pair<uint32_t, uint32_t>> ProgrammedRanges() const;

private:
    std::map<uint32_t, uint8_t> m_bytes;  // programmed bytes only
};
