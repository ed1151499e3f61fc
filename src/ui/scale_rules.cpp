#include "ui/scale_rules.h"

#include <algorithm>
#include <cmath>

namespace ravenlock::ui {

namespace {
double Wanted(const ScaleFit& fit) { return static_cast<double>(fit.dpi > 0 ? fit.dpi : kBaseDpi) / kBaseDpi; }
}  // namespace

double FitScale(const ScaleFit& fit) {
    double scale = Wanted(fit);
    // The largest scale whose client area plus frame still fits; the frame does not
    // follow our scale (the system draws it for the DPI).
    if (fit.clientW > 0) scale = std::min(scale, static_cast<double>(fit.workW - fit.frameW) / fit.clientW);
    if (fit.clientH > 0) scale = std::min(scale, static_cast<double>(fit.workH - fit.frameH) / fit.clientH);
    // Whole hundredths, rounded down, so that the fit survives the rounding of lengths.
    scale = std::floor(scale * 100.0 + 1e-9) / 100.0;
    return std::max(scale, kSmallestScale);
}

bool ScaleWasShrunk(const ScaleFit& fit) { return FitScale(fit) < Wanted(fit); }

int ScaleLength(int length, double scale) { return static_cast<int>(std::lround(length * scale)); }

Rect96 ScaleRect(const Rect96& r, double scale) {
    const int left = ScaleLength(r.x, scale), top = ScaleLength(r.y, scale);
    return {left, top, ScaleLength(r.x + r.w, scale) - left, ScaleLength(r.y + r.h, scale) - top};
}

}  // namespace ravenlock::ui
