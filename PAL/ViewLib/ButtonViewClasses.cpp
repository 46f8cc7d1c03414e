#include "PAL/ViewLib/ViewClasses.h"

void RegisterButtonViewClasses() {}
