#include "CtrlPanel/AboutText.h"

#include <cstdint>
#include <cstdarg>
#include <cstdio>

#include "CtrlPanel/VelbrinHAL.h"

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return line;
}

}  // namespace

std::string AboutText::Build(VelbrinHAL* hal)
{
    std::string text = Format("VelbrinControl Version %s  (build %s)\n\n", kVersion, kBuild);
    const bool dspAsked = hal && hal->IsKnownRateUpTo96k();
    uint32_t dspVersion = 0, infoHigh = 0, infoLow = 0;
    const bool dspOk = dspAsked && hal->GetDSPInfo(&dspVersion, &infoHigh, &infoLow);
    uint32_t build = 0, major = 0, minor = 0;
    if (hal && hal->GetBCDInfo(&build, &major, &minor)) {
        text += Format("Velbrin firmware Version %u.%u  (build %u)\n", unsigned(major), unsigned(minor),
                       unsigned(build));
        if (dspAsked) {
            if (!dspOk)
                text += "DSP did not respond\n";
            else
                text += Format("DSP firmware Version %u.%u (build %u%s)\n", unsigned(infoHigh), unsigned(infoLow),
                               unsigned(dspVersion & 0x7FFF), (dspVersion & 0x8000) ? "M" : "");
        }
    } else {
        text += "No Velbrin connected\n";
    }
    text += "\n";
    text += kNotice;
    return text;
}
