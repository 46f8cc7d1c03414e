#include "PAL/ViewLib/ViewClasses.h"

void RegisterGenericViewClasses() {}
