#pragma once
// Real mouse and keyboard input (SendInput), for the places where the way in is the
// point: the program sees the same hardware messages, hit tests, capture and
// double-click timing as under a user's hand. The target must be on screen and not
// covered; the positions are screen coordinates.
#include <windows.h>

#include <vector>

namespace e2e::input {

// The middle of a window on the screen.
POINT CentreOf(HWND window);
// A point of a window given in its client coordinates, on the screen.
POINT ScreenPoint(HWND window, POINT client);

void MoveTo(POINT at);
void LeftClick(POINT at);
// Two clicks within the double-click time and distance.
void LeftDoubleClick(POINT at);
// Presses the left button at one point and releases it at another.
void LeftDrag(POINT from, POINT to);
void RightClick(POINT at);
// The halves of a drag, for looking at what the program did while the button is down.
void LeftPress(POINT at);
void LeftRelease(POINT at);

// Presses the keys in order and releases them in reverse order; `repeats` more key-down
// events of the last key come in between, as a key held down sends them.
void PressKeys(const std::vector<WORD>& virtualKeys, int repeats = 0);

}  // namespace e2e::input
