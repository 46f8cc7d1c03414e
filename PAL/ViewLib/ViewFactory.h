#pragma once
// The registry that turns a layout record's class name into a view. Every class of the toolkit (one
// row each in ViewClasses.cpp) is registered by RegisterViewClasses, which each page calls before it
// builds its views; a class name that is not registered stops the program at the first construction
// of its page.

#include <cstdint>
#include <type_traits>

#include "PAL/LayoutRecord.h"
#include "PAL/ViewLib/View.h"

class ControlPage;

using ViewCreator = View* (*)(const LayoutRecord* record, ControlPage* page);

// The creator of every class T constructible from (record, page). A class that does not declare a
// tick of its own (View::Broadcast) is marked so: its page's tick goes past it to its children.
template <class T>
View* CreateViewOf(const LayoutRecord* record, ControlPage* page)
{
    T* view = new T(record, page);
    view->SetOwnTick(!std::is_same_v<decltype(&T::Broadcast), void (View::*)(DrawContext*)>);
    return view;
}

// Appends the class; a name that is already registered is refused (false, with a trace line).
bool RegisterViewClass(const char* name, ViewCreator creator);
bool IsViewClassRegistered(const char* name);
// Registers every view class of the toolkit once; later calls do nothing.
void RegisterViewClasses();
// The view of the record's class; a fatal assertion when the class is unknown or its creator fails.
View* CreateView(const LayoutRecord* record, ControlPage* page);
// Hands the record's argument items to View::SetBitmaps (zero items for empty text; a trailing
// newline gives a last, empty item). Each item is NUL-terminated and lives for the call only.
void SplitLayoutStrings(View* view, const char* strings);
