#pragma once
// One row per view class of the toolkit: the name layout records give it, its creator, and how many
// argument items and bound parameters a layout record of the class carries (the layout tables are
// checked against these). The rows live in ViewClasses.cpp; RegisterViewClasses registers them.

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "PAL/ViewLib/ViewFactory.h"

// A set of counts: bit n set when a count of n is accepted.
using CountSet = uint32_t;

constexpr CountSet Counts(std::initializer_list<int> counts)
{
    CountSet set = 0;
    for (int n : counts)
        set |= CountSet(1) << n;
    return set;
}

// The counts of a class that no layout table places: none, so a record of it in a table is a slip.
constexpr CountSet kInNoTable = 0;

constexpr bool HasCount(CountSet set, size_t n) { return n < 32 && ((set >> n) & 1) != 0; }

struct ViewClassInfo {
    const char* name;
    ViewCreator creator;
    CountSet arguments;
    CountSet parameters;
};

// The row of the named class; nullptr for a name that is no class of the toolkit (the probe classes
// tests register through RegisterViewClass have no row).
const ViewClassInfo* FindViewClass(const char* name);
