#pragma once
// The paste button of a panel: released with the pointer inside, it reads the clipboard's record of
// the panel's flavor and stores its values in the page's parameter set, in index order (the set's
// observers are told of each; its listener is not). The clipboard is foreign input: a record is taken
// only when it is exactly the shape of a PanelClipboardRecord of this flavor for a set of this size,
// with finite values, which are held to 0..1; anything else changes nothing.

#include "PAL/ViewLib/ClipboardButton.h"

class flPasteButton : public ClipboardButton {
public:
    flPasteButton(const LayoutRecord* record, ControlPage* page) : ClipboardButton(record, page) {}

protected:
    void Act(ParameterSet& set, DrawContext* context) override;
};
