#pragma once
// Thin wrappers over the system's own controls: check box, group box, slider, list box,
// list view, drop-down list, edit field. Their notifications reach the object through the parent page.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"
#include "ui/window.h"

namespace ravenlock::ui {

class GroupBox : public Control {
public:
    void Create(HWND parent, int id, const std::wstring& caption, Bounds b);
};

class CheckBox : public Control {
public:
    // rightToLeft: the box stands at the right end of its caption.
    void Create(HWND parent, int id, const std::wstring& caption, Bounds b, bool rightToLeft = false,
                std::optional<COLORREF> captionColor = std::nullopt);
    bool Checked() const;
    // Changes the state without running onClick.
    void SetChecked(bool checked);
    // Another caption colour, or the system's again (nothing); repaints at once.
    void SetCaptionColor(std::optional<COLORREF> color);
    std::optional<COLORREF> CaptionColor() const { return color_; }
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    std::optional<COLORREF> color_;
};

// A horizontal slider. onChange runs for every position change the user makes;
// onChangeFinished when a drag, click or key step has ended.
class TrackBar : public Control {
public:
    // A tick mark every ticEvery positions.
    void Create(HWND parent, int id, Bounds b, int minimum, int maximum, int ticEvery = 1);
    int Position() const;
    // Moves the slider without running onChange.
    void SetPosition(int position);
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    std::function<void()> onChange;
    std::function<void()> onChangeFinished;

private:
    int last_ = 0;
};

// A list of text lines. An owner-drawn one paints its lines itself, so that single lines
// can have their own text colour; it keeps its strings, so reading, search, keyboard and
// selection work as in a plain one.
class ListBox : public Control {
public:
    void Create(HWND parent, int id, Bounds b, std::optional<COLORREF> textColor = std::nullopt,
                bool ownerDrawn = false);
    // Text colours of single lines of an owner-drawn list, by index; the others keep the
    // list's colour. Selected lines take the system's highlight colours all the same.
    void SetLineColors(std::map<int, COLORREF> colors);
    void SetItems(const std::vector<std::wstring>& items);
    void SetItem(int index, const std::wstring& text);
    int Selected() const;
    void Select(int index);  // scrolls it into view
    void OnCommand(WORD code) override;
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Rescale() override;
    std::function<void()> onSelect;  // the user selected a line

private:
    void FitLineHeight();
    void DrawLine(const DRAWITEMSTRUCT& item) const;
    std::optional<COLORREF> color_;
    bool ownerDrawn_ = false;
    std::map<int, COLORREF> lineColors_;
};

// What a list view table has beyond its rows (ListView::CreateTable).
struct TableOptions {
    bool checkBoxes = false;
    bool rowDrag = false;
};

// A report-style list view with one self-sizing column and no headers.
class ListView : public Control {
public:
    void Create(HWND parent, int id, Bounds b, int maxColumnWidth, HIMAGELIST icons, bool border);
    void SetRows(const std::vector<std::wstring>& rows);
    // A table with a header: the columns' captions and widths, then rows of cells. With
    // check boxes a row has one before its first cell; with rowDrag the rows can be
    // dragged with the mouse and moved with Ctrl+Up and Ctrl+Down (onRowDropped,
    // onMoveKey), whole rows are selected either way.
    void CreateTable(HWND parent, int id, Bounds b, const std::vector<std::pair<std::wstring, int>>& columns,
                     TableOptions options = {});
    // The rows, and for a table with check boxes whether each is checked, all without
    // running onCheck or onSelect.
    void SetTable(const std::vector<std::vector<std::wstring>>& rows, const std::vector<bool>& checked = {});
    int Selected() const;
    // Selects the row (-1: none), gives it the focus mark and scrolls it into view, without onSelect.
    void Select(int row);
    bool RowChecked(int row) const;
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    std::function<void()> onMouseClick;  // a click with the mouse, on a row or not
    std::function<void()> onDoubleClick;
    // The user selected another row (mouse or keyboard).
    std::function<void()> onSelect;
    // The user checked or unchecked a row's box; runs after the list's own handling.
    std::function<void(int row, bool checked)> onCheck;
    // A row was dragged and dropped: `to` is the place it goes before (the row count: at
    // the end), in the rows as they were.
    std::function<void(int from, int to)> onRowDropped;
    // Ctrl+Up (-1) or Ctrl+Down (+1) on the selected row.
    std::function<void(int steps)> onMoveKey;

    void Rescale() override;

private:
    // Column widths at the window's scale: a table's own, or the one column following its rows.
    void FitColumns();
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    void BeginDrag(int row);
    // The row a drop at this client point lands before; -1 outside the list.
    int DropPlace(POINT at) const;
    void MarkDropTarget(int row);
    int maxWidth_ = 0, width_ = 0;  // 96-DPI units
    std::vector<int> columns_;      // a table's column widths, 96-DPI units
    bool filling_ = false;  // the program, not the user, is changing rows
    bool dragRows_ = false;
    int dragged_ = -1;      // the row being dragged
    int dropTarget_ = -1;   // the row marked under the mouse
};

// A horizontal progress bar in thousandths.
class ProgressBar : public Control {
public:
    void Create(HWND parent, int id, Bounds b);
    void SetFraction(uint64_t done, uint64_t total);
};

// A drop-down list. onChoose runs once the user has chosen another item: at once from the
// keyboard on the closed box, when the list closes after a choice made in the open list.
class ComboBox : public Control {
public:
    void Create(HWND parent, int id, Bounds b);
    // The items, one of them selected (-1: none), without onChoose.
    void SetItems(const std::vector<std::wstring>& items, int selected);
    int Selected() const;
    void OnCommand(WORD code) override;
    std::function<void()> onChoose;

private:
    int chosen_ = -1;
};

// An edit field; Enter, getting and losing focus each have a handler.
class EditBox : public Control {
public:
    void Create(HWND parent, int id, const std::wstring& text, Bounds b, DWORD extraStyle = 0);
    void OnCommand(WORD code) override;
    std::function<void()> onEnter, onFocus, onBlur, onChange;

private:
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
};

}  // namespace ravenlock::ui
