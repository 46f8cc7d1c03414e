#pragma once
// The clipboard record of the panels' copy and paste buttons: every normalised value of one parameter
// set, in index order, filed under the four-character flavor of its kind of window so that a paste
// takes only what a window of the same kind copied.
//
// Layout, all words in the host's byte order, 8 + 4n bytes:
//   offset 0  u32  flavor (the same value as the clipboard flavor)
//   offset 4  u32  n, the number of values
//   offset 8  f32  x n, the values of parameters 0 .. n - 1
//
// Clipboard contents are foreign input: Parse takes a record only when it is exactly that shape.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class ParameterSet;

class PanelClipboardRecord {
public:
    static constexpr uint32_t kHeaderSize = 8;

    PanelClipboardRecord(uint32_t flavor, std::vector<float> values);

    // The flavor named by a four-character tag: first character in the lowest byte. A shorter tag
    // leaves the upper bytes 0; an empty or missing tag gives 0, which names no flavor.
    static uint32_t FlavorOf(const char* tag);
    // The size of a record of count values.
    static size_t SizeFor(size_t count) { return kHeaderSize + 4 * count; }

    // The record of every value of set, as stored (not limited to 0..1).
    static PanelClipboardRecord FromSet(uint32_t flavor, const ParameterSet& set);
    // The record in size bytes of data when its size is exactly SizeFor(count), its flavor word is
    // flavor, its count word is count and every value is finite; values are held to 0..1. Nothing
    // for anything else.
    static std::optional<PanelClipboardRecord> Parse(const void* data, size_t size, uint32_t flavor,
                                                     uint32_t count);

    // The record's bytes in the layout above.
    std::vector<uint8_t> Bytes() const;
    // Stores value i in parameter i of set, in index order (each store notifies the set's observers).
    // Values beyond the set's count are left out.
    void ApplyTo(ParameterSet& set) const;

    const std::vector<float>& GetValues() const { return m_values; }

private:
    uint32_t m_flavor;
    std::vector<float> m_values;
};
