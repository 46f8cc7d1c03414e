#pragma once
// A failed wxWidgets check prints its condition and stops the program, in every build, instead of
// opening a modal dialog. Needs only wxBase.

void FailOnWxAssert();
