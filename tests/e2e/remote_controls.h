#pragma once
// Reading and working the program's native controls from outside: list boxes, list
// views, edit fields, trackbars and the popup menu, the way a user would use them.
// List-view messages carry pointers that Windows does not marshal between processes,
// so their structures live in memory borrowed from the program's process.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"

namespace e2e {

// --- list boxes ---------------------------------------------------------------------

std::vector<std::wstring> ListBoxLines(HWND listBox);
int ListBoxSelection(HWND listBox);  // LB_ERR (-1) without one
// The rows a line takes in a screenshot of the list box (CaptureWindow), top included,
// bottom excluded; nothing when the line is scrolled out of view.
std::optional<std::pair<int, int>> ListBoxLineRows(HWND listBox, int index);
// The middle of a line on the screen, for a real click on it.
POINT ListBoxLineCentre(HWND listBox, int index);
// Selects a line and tells the parent as a click on it would (LBN_SELCHANGE).
void SelectListBoxLine(HWND listBox, int index);

// --- list views (report view) ---------------------------------------------------------

// The texts of the first column, top to bottom; none when they cannot be read.
std::vector<std::wstring> ListViewRows(HWND listView);
// Every row's first `columns` cells, top to bottom; none when they cannot be read.
std::vector<std::vector<std::wstring>> ListViewTable(HWND listView, int columns);
std::wstring ListViewColumnCaption(HWND listView, int column);
// Whether each row's check box is checked, top to bottom.
std::vector<bool> ListViewChecks(HWND listView);
// Where on the screen a real click hits a row: its check box, or the middle of its first
// cell; nothing when the row has no place.
std::optional<POINT> ListViewRowPoint(HWND listView, int row, bool checkBox);
int ListViewRowCount(HWND listView);  // -1 when it does not answer
int ListViewSelection(HWND listView);  // -1 without one
// A left click with the mouse in the middle of a row; false when the row has no place.
bool ClickListViewRow(HWND listView, int row);
// A left click below the last row, where no row is.
void ClickListViewEmptyArea(HWND listView);

// --- mouse and keyboard ---------------------------------------------------------------

// A left click (button down and up) at a point of the window's client area, or its middle.
void PostLeftClick(HWND window, POINT at);
void PostLeftClick(HWND window);
void PostKey(HWND window, UINT virtualKey);  // WM_KEYDOWN and WM_KEYUP
// Replaces an edit field's text (WM_SETTEXT); false when it did not take it.
bool SetEditText(HWND edit, const std::wstring& text);

// --- trackbars ------------------------------------------------------------------------

int TrackBarPosition(HWND trackBar);
// Moves the slider to a position as a drag does: the thumb moves, the parent hears of
// the move and then of the end of the drag.
void DragTrackBar(HWND trackBar, int position);

// The middle of the slider's thumb on the screen, for a real drag of it.
POINT TrackBarThumbCentre(HWND trackBar);

// --- combo boxes ----------------------------------------------------------------------

std::vector<std::wstring> ComboBoxItems(HWND comboBox);
int ComboBoxSelection(HWND comboBox);  // CB_ERR (-1) without one

// --- tooltips -------------------------------------------------------------------------

// The tip that resting the mouse on the control shows; "" when it has none.
std::wstring TooltipOf(HWND control);

// Top-level windows of the process with exactly this class name, shown or not.
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className);

// --- popup menus ----------------------------------------------------------------------

// Waits for a shown popup menu window ("#32768") of the process; nullptr at the limit.
HWND WaitForPopupMenu(DWORD processId, std::chrono::milliseconds limit = kPatience);
// Picks the item that lies `fromBottom` selectable items above the last one (0: the
// last) with the arrow keys and Enter, as from the keyboard.
void ChooseFromBottomOfMenu(HWND menu, int fromBottom);

// --- the program's tabs ---------------------------------------------------------------

HWND Page(HWND mainWindow, int tab);
// Clicks the tab's button; true once its page is shown and its show handler has run
// (or has opened a message box).
bool ShowTab(HWND mainWindow, int tab);

// --- the program's message queue --------------------------------------------------------

// Returns once the program's UI thread has dispatched everything posted to it before
// (a sent message would overtake posted ones): a harmless marker is posted to one of its
// edit fields and awaited. False when the marker was not seen in time.
bool Settle(HWND mainWindow);

// Sends WM_DPICHANGED as Windows does when a window moves to a monitor of another DPI,
// the suggested window rectangle in the program's memory; false when it was not answered.
bool SendDpiChanged(HWND window, int dpi, const RECT& suggested);

}  // namespace e2e
