#pragma once
// A block of consecutive device items (base item + index), each with a shadow value and a dirty
// flag. The effect panels set values from the GUI thread; the polling thread pops the dirty entries
// and sends them. Setting a value never touches the bus and never allocates.
//
// Threads: every operation may run on any thread. One small lock per block guards the entries, so
// the writes of one call (a whole coefficient set with its commit, a whole curve with its commit)
// are never seen half done by a pop. A value set twice before it is popped goes out once, with the
// later value; a value set while its entry is being popped goes out again in a later pop.
//
// Index order: pops always return the dirty entry with the lowest index first. A commit word at a
// higher index than its set therefore leaves only after every word of the set it commits.

#include <cstdint>
#include <memory>
#include <mutex>

#include "CtrlPanel/device/CoefficientSet.h"
#include "CtrlPanel/device/ItemValue.h"

class MeterList;

class ParamWriter {
public:
    // Layout of one coefficient set, relative to its first index: the shift word (raw), the
    // numerator b0..b2, the denominator a1..a2 (1.31), and the commit word (raw 1). The places
    // of b3, b4 (+4, +5), a3, a4 (+8, +9) and +11 onwards are never written.
    static constexpr uint32_t kSetShiftOffset = 0;
    static constexpr uint32_t kSetNumeratorOffset = 1;
    static constexpr uint32_t kSetDenominatorOffset = 6;
    static constexpr uint32_t kSetCommitOffset = 10;

    // Entries get item = baseItem + index, value 0, clean. The block starts enabled.
    ParamWriter(uint32_t baseItem, uint32_t count);
    virtual ~ParamWriter();
    ParamWriter(const ParamWriter&) = delete;
    ParamWriter& operator=(const ParamWriter&) = delete;

    // --- reader side (the polling thread) ---

    // Number of dirty entries; 0 while the block is disabled.
    virtual uint32_t GetPendingCount();
    // The dirty entry with the lowest index as {item, value}, now clean; {0, 0} when none is dirty.
    // Ignores the enabled flag.
    virtual ItemValue PopPending();
    // Pops up to max dirty entries into out, lowest index first, in one locked pass. Returns how
    // many were stored. The polling thread calls it with max = kWriterPairsPerCycle.
    uint32_t PopPending(ItemValue* out, uint32_t max);
    // Marks every entry that has ever been set dirty again, so a reopened unit gets every value the
    // block holds (also those popped for a transfer that failed).
    void MarkHeldPending();

    // --- writer side (the effect panels, GUI thread) ---
    // An index outside the block is ignored. Every write marks its entry dirty, also when the
    // value does not change.

    // Stores a raw value.
    virtual void SetValue(uint32_t index, uint32_t value);
    // Stores ToFixed(value), signed 1.31 fixed point.
    virtual void SetFloat(uint32_t index, float value);
    // SetFloat(first + i, values[i]) for i = 0 .. n-1; nothing for n < 1.
    virtual void SetFloats(uint32_t first, const float* values, int n);
    virtual void SetFloatArray(uint32_t first, const float* values, int n);
    // Stores the raw value 1: the commit strobe after a coefficient set or a curve.
    virtual void Trigger(uint32_t index);

    // Writes one coefficient set in one locked step, laid out as above: the shift, b0..b2, a1 and a2
    // (a0 is never sent), then the commit.
    void SetCoefficientSet(uint32_t first, const CoefficientSet& set);
    // Writes n values (1.31) from first on and then the commit 1 at commitIndex, in one locked step.
    void SetFloatsAndTrigger(uint32_t first, const float* values, int n, uint32_t commitIndex);

    // The HAL's meter list, where the effect panels read their levels; null without a HAL.
    virtual MeterList* GetMeterList();
    // Set by the HAL while it exists: the list every writer hands out.
    static void SetSharedMeterList(MeterList* meters);

    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    uint32_t GetBaseItem() const { return m_baseItem; }
    uint32_t GetCount() const { return m_count; }

    // Float to signed 1.31: trunc(v x 2147483647.0) in double precision. Saturates: 1.0 and
    // above give 0x7FFFFFFF, -1.0 and below -0x7FFFFFFF; NaN gives 0.
    static uint32_t ToFixed(float value);

private:
    struct ParamEntry {
        uint32_t item;   // base item + index, never changed
        uint32_t value;  // raw value last set
        uint8_t dirty;   // set by every write, cleared when popped
        uint8_t held;    // set by the first write, never cleared
    };

    // Callers hold m_lock.
    void StoreLocked(uint32_t index, uint32_t value);
    bool PopOneLocked(ItemValue& out);

    mutable std::mutex m_lock;
    bool m_enabled = true;
    const uint32_t m_baseItem;
    const uint32_t m_count;
    std::unique_ptr<ParamEntry[]> m_entries;
    uint32_t m_pending = 0;     // number of dirty entries
    uint32_t m_firstDirty = 0;  // no entry below this index is dirty
};
