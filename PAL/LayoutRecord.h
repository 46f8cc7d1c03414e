#pragma once
// One control of a window's static layout table. A control page makes one view per record, under
// the registered class name, and binds it to the listed parameters of its set.

#include <cstdint>
#include <string>
#include <vector>

// Most parameter indices a record may list, the ending -1 included.
constexpr int kLayoutMaxParams = 256;

struct LayoutRecord {
    int32_t index;          // the control's id; equals the record's table position when it binds parameters
    int32_t left;           // rectangle in window pixels; right and bottom exclusive
    int32_t right;
    int32_t top;
    int32_t bottom;
    const char* className;  // registered view class, matched exactly; never null
    int32_t parent;         // table position of the parent record, lower than this one; -1 for the root
    int32_t hidden;         // only the low byte counts: non-zero creates the view hidden
    const char* strings;    // argument items separated by "\n", ended by NUL; never null, may be empty
    int32_t params[kLayoutMaxParams];  // bound parameter indices, ended by -1 (at most 255 before it)
};

// The newline-separated items of a record's argument text, in order: none for an empty text, and a
// trailing newline gives a last, empty item.
inline std::vector<std::string> SplitLayoutArguments(const char* strings)
{
    std::vector<std::string> items;
    if (!strings || !*strings)
        return items;
    std::string current;
    for (const char* p = strings; *p; ++p) {
        if (*p == '\n') {
            items.push_back(current);
            current.clear();
        } else {
            current += *p;
        }
    }
    items.push_back(current);
    return items;
}
