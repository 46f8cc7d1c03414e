#include "PAL/ViewLib/ViewClasses.h"

void RegisterTrayViewClasses() {}
