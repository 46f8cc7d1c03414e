#include "PAL/ViewLib/ViewClasses.h"

void RegisterMeterViewClasses() {}
