#pragma once
// The copy button of a panel: released with the pointer inside, it puts every value of the page's
// parameter set on the clipboard as one PanelClipboardRecord under the panel's flavor.

#include "PAL/ViewLib/ClipboardButton.h"

class flCopyButton : public ClipboardButton {
public:
    flCopyButton(const LayoutRecord* record, ControlPage* page) : ClipboardButton(record, page) {}

protected:
    void Act(ParameterSet& set, DrawContext* context) override;
};
