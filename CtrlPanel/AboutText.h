#pragma once
// The text of the About box: the program's version and build, the unit's firmware version and build,
// the DSP code's version when the unit runs at up to 96 kHz, and the maker's notice. A missing unit and
// a silent DSP are part of the text. GUI thread (asking the DSP pauses the polling thread).

#include <string>

class VelbrinHAL;

class AboutText {
public:
    static constexpr const char* kVersion = "2.3b1";
    static constexpr const char* kBuild = "7630";
    static constexpr const char* kNotice = "Copyright Brennimar. All rights reserved.";

    // hal may be null (no unit connected).
    static std::string Build(VelbrinHAL* hal);
};
