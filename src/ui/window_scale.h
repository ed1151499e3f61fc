#pragma once
// The one scale of each top-level window for its monitor's DPI. Controls are laid out
// in 96-DPI units; where they are made (Control::MakeChild, Window::CreateChild) the
// scale of the window they sit in turns those into pixels, and again when the DPI
// changes. No tab computes a scale of its own.
#include <windows.h>

#include "ui/scale_rules.h"

namespace ravenlock::ui {

// Tells Windows that we scale ourselves, per monitor, as the manifest says too. Where the
// call is missing (before Windows 10 1703) the manifest alone decides.
void DeclarePerMonitorDpiAwareness();

// The DPI of the monitor the window is on: GetDpiForWindow, or the screen's LOGPIXELSY
// where that function is missing (Windows 7 and 8).
int DpiOf(HWND window);

// The scale of the top-level window that holds this one (or is this one); 1 until
// FitToMonitor has run for it.
double ScaleOf(HWND window);
// A 96-DPI length in the pixels of that window.
int Px(HWND window, int length);

// Gives the top-level window a client area of clientW x clientH 96-DPI units at the
// largest scale its monitor's work area takes (FitScale), and keeps that scale. Centred on
// the work area, or at its top-left corner when the scale had to shrink; with a suggested
// rectangle (WM_DPICHANGED) on that rectangle's monitor, at its place when it fits.
// dpi 0: the window's own (DpiOf).
double FitToMonitor(HWND top, int clientW, int clientH, int dpi = 0, const RECT* suggested = nullptr);

// Answers WM_DPICHANGED (wp, lp as it came): fits the window again for the new DPI, then
// lays out and repaints every control in it at the new scale.
void FollowDpiChange(HWND top, int clientW, int clientH, WPARAM wp, LPARAM lp);

}  // namespace ravenlock::ui
