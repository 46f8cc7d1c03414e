#include "PAL/ViewLib/ViewClasses.h"

void RegisterSliderViewClasses() {}
