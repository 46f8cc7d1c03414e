#include "PAL/ViewLib/flPasteButton.h"

#include <vector>

#include "PAL/DrawContext.h"
#include "PAL/PanelClipboardRecord.h"
#include "PAL/ParameterSet.h"

void flPasteButton::Act(ParameterSet& set, DrawContext* context)
{
    const uint32_t count = uint32_t(set.GetParameterCount());
    const uint32_t size = context->GetClipboardSize(m_flavor);
    if (size != PanelClipboardRecord::SizeFor(count))
        return;
    std::vector<uint8_t> buffer(size);
    const uint32_t got = context->GetClipboard(buffer.data(), size, m_flavor);
    if (const auto record = PanelClipboardRecord::Parse(buffer.data(), got, m_flavor, count))
        record->ApplyTo(set);
}
