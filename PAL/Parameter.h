#pragma once
// One value of a parameter set. The value is kept normalised (a float, normally 0..1, which is what
// controls move) and mapped to and from the plain value (dB, Hz, ms, a step number) by the taper of
// its descriptor. The parameter also turns values into display text and parses typed text.
//
// Text lengths count characters without the terminating NUL: a buffer passed with length n holds
// n + 1 bytes. Every text operation writes at most that and always terminates (for n >= 0).
//
// Threads: the normalised value is one atomic float; any thread may read it (and the plain value
// derived from it). Everything else is fixed at construction, except the default, which only the GUI
// thread changes (SetDefaultValue).

#include "PAL/ParamDescriptor.h"

#include <atomic>
#include <cstdint>

class Parameter {
public:
    explicit Parameter(const ParamDescriptor& descriptor);
    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;
    virtual ~Parameter() = default;

    // Hooks for TaperCustom and UnitCustom; here they do nothing (text results 0, values 0.0).
    // The constructor runs the base class's PrepareCustomTaper and sets the default through the
    // base mappings: a subclass prepares its own taper and sets its default in its constructor.
    virtual void PrepareCustomTaper() {}
    virtual int32_t ParseCustomValue(const char* text, int32_t length);
    virtual int32_t GetCustomUnitText(float* plain, float* normalised, char* buffer, int32_t length);
    virtual int32_t FormatCustomValue(float plain, float normalised, char* buffer, int32_t length);
    virtual float CustomFromNormalised(float normalised) const;
    virtual float CustomToNormalised(float plain) const;

    // Stores ToNormalised(plain): a plain value outside the range lands on the nearest end. The value
    // stored is always within 0..1, whatever the taper kind. NaN, and any value whose normalised form
    // is not finite, is not stored.
    virtual void SetValue(float plain);
    // FromNormalised of the current normalised value.
    virtual float GetValue() const;
    // Parses at most length characters by unit kind and sets the value; bad text never fails, it
    // reads as a number made of the digits it holds (or changes nothing, see UnitSwitch).
    virtual void ParseValue(const char* text, int32_t length);
    // Value text and unit text, "14.142 ms", shortened to fit length: without the blank, then
    // without the unit, then empty.
    virtual void GetLabel(float plain, float normalised, char* buffer, int32_t length);
    virtual void GetCurrentLabel(char* buffer, int32_t length);
    // The value text alone. length chooses the precision ("%.3f" down to "%.0f"); the result is the
    // chosen text's full length, and when that exceeds length only length characters were copied.
    virtual int32_t FormatValue(float plain, float normalised, char* buffer, int32_t length);
    // The unit text and its length (0 for none or when it does not fit). UnitTime and UnitFrequency
    // rescale *plain to the unit they choose.
    virtual int32_t GetUnitText(float* plain, float* normalised, char* buffer, int32_t length);
    // Taper mappings; x is clamped to the range, n to 0..1 (NaN reads as the minimum). For taper
    // kinds 0..8 ToNormalised's result is within 0..1; other kinds pass values through unchanged.
    virtual float ToNormalised(float plain) const;
    virtual float FromNormalised(float normalised) const;

    // Sets the plain default value.
    void Reset() { SetValue(m_default); }
    // Replaces the plain default (held to the range; NaN is ignored): Reset then returns to it.
    void SetDefaultValue(float plain)
    {
        if (plain == plain)
            m_default = plain < m_minimum ? m_minimum : plain > m_maximum ? m_maximum : plain;
    }

    float GetNormalisedValue() const { return m_normalised.load(std::memory_order_relaxed); }
    // Stores a normalised value unchanged: no clamping, no taper. Callers keep it finite. Every store
    // counts in StoreCount.
    void SetNormalisedValue(float normalised)
    {
        m_normalised.store(normalised, std::memory_order_relaxed);
        s_stores.fetch_add(1, std::memory_order_release);
    }
    // Stores into any parameter of the process so far. A reader that takes the count before it reads
    // values, and finds it unchanged later, has missed no store in between.
    static uint64_t StoreCount() { return s_stores.load(std::memory_order_acquire); }

    int32_t GetId() const { return m_id; }
    const char* GetName() const { return m_name; }
    int32_t GetTaperKind() const { return m_taper; }
    float GetMinimum() const { return m_minimum; }
    float GetMaximum() const { return m_maximum; }
    float GetDefaultValue() const { return m_default; }
    int32_t GetSteps() const { return m_steps; }

private:
    void PrepareTaper();
    void ParseSwitchWords(const char* text, int32_t length);

    int32_t m_id;
    int32_t m_taper;
    int32_t m_unit;
    char m_name[kParamNameSize];
    float m_minimum;
    float m_minLog = 0.0f;     // ln, log2 or log10 of the minimum (TaperLog, TaperLog2, TaperLog10)
    float m_minExp = 0.0f;     // e^minimum (TaperExp)
    float m_minPow2 = 0.0f;    // 2^minimum (TaperPow2)
    float m_minPow10 = 0.0f;   // 10^minimum (TaperPow10)
    float m_maximum;
    float m_maxLog = 0.0f;
    float m_maxExp = 0.0f;
    float m_maxPow2 = 0.0f;
    float m_maxPow10 = 0.0f;
    float m_invLn2 = 0.0f;     // 1 / ln 2 (TaperPow2)
    float m_default;
    int32_t m_steps = 0;       // TaperStepped: the power of two at or above the span
    std::atomic<float> m_normalised{0.0f};
    static inline std::atomic<uint64_t> s_stores{0};
};
