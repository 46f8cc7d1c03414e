#include "PAL/ViewLib/ViewFactory.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PAL/ViewLib/View.h"
#include "platform/Assert.h"
#include "platform/DebugLog.h"

namespace {

struct Entry {
    std::string name;
    ViewCreator creator;
};

std::vector<Entry>& Registry()
{
    static std::vector<Entry> registry;
    return registry;
}

const Entry* Lookup(const char* name)
{
    if (!name)
        return nullptr;
    for (const Entry& entry : Registry())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

}  // namespace

bool RegisterViewClass(const char* name, ViewCreator creator)
{
    if (!name || !creator)
        return false;
    if (Lookup(name)) {
        DebugLog("RegisterViewClass: %s is registered already\n", name);
        return false;
    }
    Registry().push_back(Entry{name, creator});
    return true;
}

bool IsViewClassRegistered(const char* name)
{
    return Lookup(name) != nullptr;
}

View* CreateView(const LayoutRecord* record, ControlPage* page)
{
    const Entry* entry = record ? Lookup(record->className) : nullptr;
    View* view = entry ? entry->creator(record, page) : nullptr;
    if (!view) {
        fprintf(stderr, "CreateView: no view class \"%s\"\n", record && record->className ? record->className : "");
        AssertFailed("PAL/ViewLib", 39, "view != NULL");
    }
    return view;
}

void SplitLayoutStrings(View* view, const char* strings)
{
    if (!view)
        return;
    const std::vector<std::string> items = SplitLayoutArguments(strings);
    std::vector<const char*> pointers;
    pointers.reserve(items.size());
    for (const std::string& item : items)
        pointers.push_back(item.c_str());
    view->SetBitmaps(pointers.empty() ? nullptr : pointers.data(), int32_t(pointers.size()));
}
