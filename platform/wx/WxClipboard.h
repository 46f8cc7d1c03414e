#pragma once
// The desktop clipboard as typed records: each flavor (a four-character code) is a private data format
// of its own, "application/x-velbrincontrol-<code as 8 hex digits>", so other programs never mistake
// a record for text. Putting a record replaces whatever the clipboard held.
//
// One per program (Instance). At exit, when the program put a record, it is handed to the desktop's
// clipboard manager (where there is one), so a copy outlives the program. Reading a record the
// program owns itself is answered in-process; a record owned by another program is fetched over the
// display, which GTK gives up on when the owner does not answer. GUI thread only.

#include <cstdint>

#include "platform/Clipboard.h"

class wxDataFormat;

class WxClipboard : public Clipboard {
public:
    static WxClipboard& Instance();

    void Put(const void* data, uint32_t size, uint32_t flavor) override;
    uint32_t GetSize(uint32_t flavor) override;
    uint32_t Get(void* buffer, uint32_t capacity, uint32_t flavor) override;

    // Hands the program's last record to the clipboard manager; nothing when it never put one.
    void FlushAtExit();
    // The data format a flavor travels under.
    static wxDataFormat FormatOf(uint32_t flavor);

private:
    WxClipboard() = default;

    bool m_putAny = false;
};
