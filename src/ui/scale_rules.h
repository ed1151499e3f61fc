#pragma once
// The window's scale for its monitor, as plain arithmetic: how large a factor the
// monitor's DPI asks for, how far it shrinks so that the window fits the work area,
// and where a length or a rectangle laid out at 96 DPI lands at that factor.

namespace ravenlock::ui {

inline constexpr int kBaseDpi = 96;
// Below this the text is no longer readable; a screen too small for it gets it anyway.
inline constexpr double kSmallestScale = 0.75;

struct ScaleFit {
    int dpi;                 // the monitor's
    int clientW, clientH;    // the client area at 96 DPI
    int frameW, frameH;      // what the frame adds at that DPI (borders, caption)
    int workW, workH;        // the monitor's work area
};

// dpi / 96, shrunk until the outer window fits the work area, never below kSmallestScale.
double FitScale(const ScaleFit& fit);
// True when FitScale had to shrink below dpi / 96.
bool ScaleWasShrunk(const ScaleFit& fit);

// A length at the scale, rounded half away from zero (negative font heights too).
int ScaleLength(int length, double scale);

struct Rect96 {
    int x, y, w, h;
};
// The edges are scaled, not the sizes, so that neighbours laid out edge to edge at 96
// DPI stay edge to edge.
Rect96 ScaleRect(const Rect96& r, double scale);

}  // namespace ravenlock::ui
