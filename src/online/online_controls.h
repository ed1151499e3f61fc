#pragma once
// The controls of the online tabs that the common set lacks: a fixed-column report
// list, a digits-only id field with Enter and a font colour, and labels whose pointer
// changes or whose text wraps.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/window.h"

namespace ravenlock::online {

// A report-style list view: fixed-width columns that the user can neither resize nor
// sort by, no in-place editing, every row with the same 16 x 16 picture.
class ReportList : public ui::Control {
public:
    struct Column {
        std::wstring caption;
        int width;
    };
    ~ReportList() override;
    void Create(HWND parent, int id, ui::Bounds b, const std::vector<Column>& columns, HBITMAP rowPicture);
    void SetColumnCaption(int index, const std::wstring& caption);
    // A row of cells from the left; fewer cells than columns leave the rest empty.
    void AddRow(const std::vector<std::wstring>& cells);
    // Replaces every row, drawn once at the end rather than once a row.
    void SetRows(const std::vector<std::vector<std::wstring>>& rows);
    void Clear();
    int RowCount() const;
    void Rescale() override;

private:
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref);
    HIMAGELIST images_ = nullptr;
    std::vector<int> widths_;  // 96-DPI units
};

// A one-line, centred edit field that takes ASCII digits only, typed or pasted.
class DigitsEdit : public ui::Control {
public:
    void Create(HWND parent, int id, ui::Bounds b, int maxDigits);
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const { return color_; }
    // Runs on Enter, before the field's own handling of the key.
    std::function<void()> onEnter;

    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnCommand(WORD code) override;

private:
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref);
    COLORREF color_ = GetSysColor(COLOR_WINDOWTEXT);
};

// A clickable label whose pointer is the drag arrow only while its click leads somewhere.
class PointerLabel : public ui::Label {
public:
    void SetDragPointer(bool drag) { drag_ = drag; }
    bool DragPointer() const { return drag_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool drag_ = false;
};

// A label whose text is centred and wrapped over several lines.
class WrappedLabel : public ui::Label {
public:
    void Create(HWND parent, int id, const std::wstring& text, ui::Bounds b, const ui::LabelStyle& style);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    ui::LabelStyle style_;
};

}  // namespace ravenlock::online
