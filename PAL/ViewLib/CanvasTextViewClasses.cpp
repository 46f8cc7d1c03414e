#include "PAL/ViewLib/ViewClasses.h"

void RegisterCanvasTextViewClasses() {}
