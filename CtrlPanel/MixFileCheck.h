#pragma once
// The checks a mix-file image passes before any of it is applied.
//
// Image: 32-bit little-endian words. Header (20 bytes): magic, version, file length in bytes, file
// checksum, block count. Then the blocks back to back, each: block index, block length in bytes
// (12 + 4n), block checksum, n f32 values (the normalised values of the set of that index, in
// parameter order). A checksum is the 32-bit wrapping sum of the words it covers with its own word
// taken as 0; the file checksum covers file length / 4 words, the block checksums included.

#include <cstddef>
#include <cstdint>
#include <vector>

enum class MixLoadResult {
    Loaded,       // checked and applied
    NotOpened,    // no file (missing, not a regular file, unreadable, or no file chosen)
    TooOld,       // shorter than the header, or another magic or version
    WrongLength,  // the length field differs from the file's size in whole words
    Corrupt,      // larger than any mix file (its header right), a checksum, or any block wrong
};

class MixFileCheck {
public:
    static constexpr size_t kHeaderBytes = 20;
    static constexpr size_t kBlockHeaderBytes = 12;

    // counts[k]: the parameter count of the set that block index k names.
    explicit MixFileCheck(std::vector<int32_t> counts);

    // The largest file read at all: the header, one block of the largest set for each set, and three
    // trailing bytes. No file this program writes or reads comes near it.
    size_t MaxFileSize() const;

    // size: the file's size in bytes; words: its first size / 4 words (trailing bytes are not read),
    // or only its header's words when it is larger than MaxFileSize. The header is judged first (too
    // old, then the wrong length), the size and the sums after it.
    // A block must lie wholly inside the file length, name a set, be at least its header and a whole
    // number of words long, hold at most the set's count of values, all finite, and match its checksum.
    // Every one of the block count's blocks is checked (none when the count is below 1).
    MixLoadResult Check(uint32_t magic, uint32_t version, const std::vector<uint32_t>& words, size_t size) const;

    // The wrapping sum of count words, the word at skip taken as 0.
    static uint32_t Sum(const uint32_t* words, size_t count, size_t skip);

private:
    // Checks the block at byte offset of a file of length bytes; its length in bytes, or 0 when wrong.
    uint32_t CheckBlock(const std::vector<uint32_t>& words, size_t offset, size_t length) const;

    std::vector<int32_t> m_counts;
};
