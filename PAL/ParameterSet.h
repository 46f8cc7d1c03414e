#pragma once
// The model behind one panel: parameters built from a static descriptor table, one listener and a
// list of observers, shaped like an audio plug-in's parameter interface.
//
// Threads: the GUI thread owns the set. It alone changes values with notification, manages the
// observer list and the listener, and runs the observers. A worker thread (the polling thread's
// read-back of hardware state) stores values with SetParameterFromWorker; their notification is
// queued and delivered by DeliverWorkerChanges on the GUI thread. Values (GetParameter,
// GetParameterValue) may be read from any thread.

#include "PAL/ParamDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class Parameter;
class ParameterListener;
class ParameterObserver;

class ParameterSet {
public:
    // Builds parameter i from descriptors[i] for i in 0..count-1, each at its default. The table is
    // not owned and must outlive the set.
    ParameterSet(const ParamDescriptor* descriptors, int32_t count);
    ParameterSet(const ParameterSet&) = delete;
    ParameterSet& operator=(const ParameterSet&) = delete;
    // Observers and listener are not told. Worker changes still queued for this set are dropped.
    virtual ~ParameterSet();

    virtual uint32_t GetManufacturerCode() { return 0x42524E4D; }  // 'BRNM'
    virtual uint32_t GetTypeCode() { return 0x71637073; }          // 'qcps'
    virtual uint32_t GetVersion() { return 0x10000; }
    // Both arguments are ignored.
    virtual void Prepare(int32_t, int32_t) {}
    // Copies frames samples of each channel from inputs[c] to outputs[c]; strides count samples.
    virtual void Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                         float* const* outputs, int32_t outputStride);
    // Not owned; null until set.
    virtual void SetListener(ParameterListener* listener) { m_listener = listener; }
    virtual ParameterListener* GetListener() { return m_listener; }
    // Stores the normalised value unchanged (no clamping, no taper), then notifies the observers;
    // the listener is not told. NaN and infinities, and bad indices, are ignored.
    virtual void SetParameter(int32_t index, float normalised);
    // The stored normalised value; 0.0 for a bad index.
    virtual float GetParameter(int32_t index) const;
    // Parameter::SetValue (clamped to the range, through the taper), then notifies the observers.
    virtual void SetParameterValue(int32_t index, float plain);
    // The plain value; 0.0 for a bad index.
    virtual float GetParameterValue(int32_t index) const;

    int32_t GetParameterCount() const { return m_count; }
    // The parameter object for text and defaults; nullptr for a bad index.
    Parameter* GetParameterObject(int32_t index) const;
    // Copies the name into buffer, which holds length bytes: at most length - 1 characters, the rest
    // of the length filled with NULs, so the text is always terminated. Nothing for a bad index.
    void GetParameterName(int32_t index, char* buffer, int32_t length) const;
    // The listener's sample rate, 44100.0 without a listener.
    float GetSampleRate() const;

    // Appends the observer (no duplicate check). Not owned; it must remove itself before it dies.
    void AddObserver(ParameterObserver* observer);
    // Nulls every entry equal to observer; it is never called again. Safe during a notification:
    // the list is compacted when the outermost notification returns.
    void RemoveObserver(ParameterObserver* observer);
    // Calls every observer present when the pass starts and not removed since, in list order.
    void NotifyObservers(int32_t index);
    // Observer entries, including entries nulled during a running notification.
    size_t GetObserverSlots() const { return m_observers.size(); }

    // Any thread: stores the normalised value at once (workers read it back with GetParameter) and
    // queues the notification of the observers for the GUI thread. NaN, infinities and bad indices
    // are ignored.
    void SetParameterFromWorker(int32_t index, float normalised);
    // GUI thread: notifies the observers of every (set, index) queued by workers, once each however
    // often it was stored; the observers read the latest value. Changes queued while this runs wait
    // for the next call. Returns the number of notifications delivered.
    static int DeliverWorkerChanges();

private:
    bool ValidIndex(int32_t index) const { return index >= 0 && index < m_count && m_parameters[index]; }

    ParameterListener* m_listener = nullptr;
    const ParamDescriptor* m_descriptors;
    int32_t m_count;
    Parameter** m_parameters = nullptr;
    std::vector<ParameterObserver*> m_observers;
    int32_t m_depth = 0;
};
