#pragma once
// Parameters for looking at a window without its panel: one generic 0..1 parameter (default 0, linear,
// no unit) for every index from 0 to the highest index the table binds, named "Parameter N".

#include <vector>

#include "PAL/LayoutTables.h"
#include "PAL/ParamDescriptor.h"

std::vector<ParamDescriptor> GenericParameters(const LayoutTable& table);
