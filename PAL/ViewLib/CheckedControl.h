#pragma once
// Code that addresses a control of a page by its record number (a page feeding its meters, a panel
// enabling a lamp) first checks the class of the view there: a view of another class is never cast,
// the caller gets null and a trace line names the record.

#include <cstdint>

#include "PAL/ViewLib/ControlPage.h"
#include "platform/DebugLog.h"

// The view of record as a T, or null (and a trace from who) when it is missing or of another class.
template <class T>
T* CheckedControl(const ControlPage& page, int32_t record, const char* className, const char* who)
{
    T* control = dynamic_cast<T*>(page.GetView(record));
    if (!control)
        DebugLog("  %s : control %d is not a %s, skipped\n", who, int(record), className);
    return control;
}
