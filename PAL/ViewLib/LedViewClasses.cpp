#include "PAL/ViewLib/ViewClasses.h"

void RegisterLedViewClasses() {}
