#include "PAL/ParamDescriptorCheck.h"

#include <cmath>
#include <cstring>

namespace {

bool FiniteFloat(double v) { return std::isfinite(float(v)); }

}  // namespace

const char* ParamTaperProblem(const ParamDescriptor& d)
{
    const int taper = d.taperKind;
    if (taper >= TaperLog && taper <= TaperPow10) {
        if (!std::isfinite(d.minimum) || !std::isfinite(d.maximum))
            return "taper needs a finite range";
        if (!(d.minimum > 0.0f))
            return "taper needs a positive minimum";
    }
    switch (taper) {
    case TaperExp:
        if (!FiniteFloat(std::exp(double(d.minimum))) || !FiniteFloat(std::exp(double(d.maximum))))
            return "exponential taper overflows";
        break;
    case TaperPow2:
        if (!FiniteFloat(std::pow(2.0, double(d.minimum))) || !FiniteFloat(std::pow(2.0, double(d.maximum))))
            return "exponential taper overflows";
        break;
    case TaperPow10:
        if (!FiniteFloat(std::pow(10.0, double(d.minimum))) || !FiniteFloat(std::pow(10.0, double(d.maximum))))
            return "exponential taper overflows";
        break;
    case TaperStepped:
        if (!std::isfinite(d.minimum) || !std::isfinite(d.maximum))
            return "stepped taper needs a finite range";
        if (double(d.maximum) - double(d.minimum) > double(1 << 30))
            return "stepped taper spans too many steps";
        break;
    default:
        break;
    }
    return nullptr;
}

std::string CheckParamDescriptorTable(const ParamDescriptor* table, int count)
{
    std::string report;
    for (int i = 0; table && i < count; ++i) {
        const ParamDescriptor& d = table[i];
        const bool terminated = memchr(d.name, 0, sizeof d.name) != nullptr;
        auto problem = [&](const char* what) {
            report += "descriptor " + std::to_string(i) + " \"";
            report += terminated ? std::string(d.name) : std::string(d.name, sizeof d.name);
            report += "\": ";
            report += what;
            report += "\n";
        };
        if (d.index != i)
            problem("index differs from its position");
        if (!terminated)
            problem("name is not terminated");
        if (!std::isfinite(d.minimum) || !std::isfinite(d.maximum) || !std::isfinite(d.defaultValue))
            problem("range or default is not finite");
        else if (d.minimum > d.maximum)
            problem("minimum above maximum");
        if (const char* taper = ParamTaperProblem(d))
            problem(taper);
    }
    return report;
}
