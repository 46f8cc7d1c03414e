#include "PAL/ViewLib/ViewClasses.h"

void RegisterKnobViewClasses() {}
