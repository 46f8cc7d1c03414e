#pragma once
// Rules a descriptor must keep for its taper to work. A parameter built from a descriptor whose
// taper breaks them treats it as linear; descriptor tables are checked whole by their tests.

#include "PAL/ParamDescriptor.h"

#include <string>

// nullptr when the descriptor's taper can be used as given, else the reason: logarithmic and
// exponential tapers need a positive finite minimum, exponential tapers need finite end terms
// (e to the maximum overflows a float above about 88), a stepped span must stay below 2^30 steps.
const char* ParamTaperProblem(const ParamDescriptor& descriptor);

// Every descriptor of a table: the taper rule above, index equal to the position, a terminated
// name, finite numbers and minimum <= maximum. Returns "" when all hold, else one line per problem,
// such as "descriptor 3 \"Attack Time\": taper needs a positive minimum\n".
std::string CheckParamDescriptorTable(const ParamDescriptor* table, int count);
