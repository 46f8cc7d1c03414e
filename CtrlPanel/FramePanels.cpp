#include "CtrlPanel/FramePanels.h"

#include "PAL/LinkWindow.h"

void ToggleWindow(LinkWindow* window)
{
    if (!window)
        return;
    if (window->IsShown())
        window->Show(false);
    else
        ShowAndRaise(window);
}

void ShowAndRaise(LinkWindow* window)
{
    if (!window)
        return;
    window->Show(true);
    window->Raise();
}
