#include "PAL/ViewLib/flCopyButton.h"

#include <vector>

#include "PAL/DrawContext.h"
#include "PAL/PanelClipboardRecord.h"

void flCopyButton::Act(ParameterSet& set, DrawContext* context)
{
    const std::vector<uint8_t> bytes = PanelClipboardRecord::FromSet(m_flavor, set).Bytes();
    context->PutClipboard(bytes.data(), uint32_t(bytes.size()), m_flavor);
}
