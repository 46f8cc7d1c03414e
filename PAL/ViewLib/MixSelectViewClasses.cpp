#include "PAL/ViewLib/ViewClasses.h"

void RegisterMixSelectViewClasses() {}
