#include "PAL/ViewLib/ViewClasses.h"

void RegisterClipboardViewClasses() {}
