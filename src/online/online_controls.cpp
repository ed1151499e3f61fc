#include "online/online_controls.h"

#include <algorithm>
#include <cstdlib>

#include "online/web_address.h"
#include "ui/dispatch.h"
#include "ui/gdi.h"

namespace ravenlock::online {

namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

// ---- ReportList

ReportList::~ReportList() {
    if (hwnd_ && IsWindow(hwnd_)) SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    if (images_) ImageList_Destroy(images_);
}

void ReportList::Create(HWND parent, int id, ui::Bounds b, const std::vector<Column>& columns, HBITMAP rowPicture) {
    HWND hwnd = MakeChild(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS,
                          WS_EX_CLIENTEDGE, b, parent, id);
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_MINWIDTH;
        col.fmt = LVCFMT_LEFT | LVCFMT_FIXED_WIDTH;
        col.cx = col.cxMin = Px(columns[i].width);
        widths_.push_back(columns[i].width);
        col.pszText = const_cast<wchar_t*>(columns[i].caption.c_str());
        SendMessageW(hwnd, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    // Rows name no picture of their own, so each shows the first one.
    // The row picture comes at the window's scale already.
    BITMAP size{};
    const int side = rowPicture && GetObjectW(rowPicture, sizeof(size), &size) ? std::abs(size.bmHeight) : Px(16);
    images_ = ImageList_Create(side, side, ILC_COLOR32, 1, 1);
    if (images_ && rowPicture) ImageList_Add(images_, rowPicture, nullptr);
    SendMessageW(hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    // The header talks to the list, not to the page: the list itself refuses resizing.
    SetWindowSubclass(hwnd, &ReportList::Subclass, kSubclassId, 0);
}

void ReportList::Rescale() {
    ui::Control::Rescale();
    for (size_t i = 0; i < widths_.size(); ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_WIDTH | LVCF_MINWIDTH;
        col.cx = col.cxMin = Px(widths_[i]);
        SendMessageW(hwnd_, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
}

LRESULT CALLBACK ReportList::Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_NOTIFY) {
        switch (reinterpret_cast<const NMHDR*>(lp)->code) {
            case HDN_BEGINTRACKW:
            case HDN_BEGINTRACKA: return TRUE;  // no dragging of a divider
            case HDN_DIVIDERDBLCLICKW:
            case HDN_DIVIDERDBLCLICKA: return 0;  // no fitting a column to its text
        }
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &ReportList::Subclass, kSubclassId);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void ReportList::SetColumnCaption(int index, const std::wstring& caption) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(hwnd_, LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&col));
}

void ReportList::AddRow(const std::vector<std::wstring>& cells) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = RowCount();
    item.iImage = 0;
    item.pszText = const_cast<wchar_t*>(cells.empty() ? L"" : cells[0].c_str());
    const int row = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return;
    for (size_t i = 1; i < cells.size(); ++i) {
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(i);
        cell.pszText = const_cast<wchar_t*>(cells[i].c_str());
        SendMessageW(hwnd_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
    }
}

void ReportList::SetRows(const std::vector<std::vector<std::wstring>>& rows) {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    Clear();
    for (const auto& row : rows) AddRow(row);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ReportList::Clear() { SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0); }

int ReportList::RowCount() const { return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

// ---- DigitsEdit

void DigitsEdit::Create(HWND parent, int id, ui::Bounds b, int maxDigits) {
    HWND hwnd = MakeChild(L"EDIT", L"", WS_TABSTOP | ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, b, parent, id);
    SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(maxDigits), 0);
    SetWindowSubclass(hwnd, &DigitsEdit::Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void DigitsEdit::SetFontColor(COLORREF color) {
    color_ = color;
    Invalidate();
}

bool DigitsEdit::Reflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLOREDIT) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, color_);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

void DigitsEdit::OnCommand(WORD code) {
    if (code != EN_CHANGE) return;
    // ES_NUMBER stops typed letters only; whatever else got in (a drop, a message from
    // outside) is taken out again here, keeping the caret among the same digits.
    const std::wstring text = Text();
    const std::wstring digits = DigitsOf(text);
    if (digits == text) return;
    DWORD caret = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    const size_t keep = DigitsOf(text.substr(0, std::min<size_t>(caret, text.size()))).size();
    SetWindowTextW(hwnd_, digits.c_str());
    SendMessageW(hwnd_, EM_SETSEL, keep, keep);
}

LRESULT CALLBACK DigitsEdit::Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<DigitsEdit*>(ref);
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter belongs to the field, not to the dialog manager of the message loop.
            if (lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN)
                return DefSubclassProc(hwnd, msg, wp, lp) | DLGC_WANTALLKEYS;
            break;
        case WM_KEYDOWN:
            if (wp == VK_RETURN && self->onEnter) ui::RunHandler(hwnd, self->onEnter);
            break;
        case WM_CHAR:
            if (wp == L'\r' || wp == L'\n') return 0;  // a one-line field would only beep
            break;
        case WM_PASTE: {
            // Pasted text keeps its digits only.
            std::wstring digits;
            if (OpenClipboard(hwnd)) {
                if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                        digits = DigitsOf(std::wstring(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t))));
                        GlobalUnlock(data);
                    }
                }
                CloseClipboard();
            }
            SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
            return 0;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &DigitsEdit::Subclass, kSubclassId); break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// ---- PointerLabel

LRESULT PointerLabel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETCURSOR) {
        SetCursor(drag_ ? ui::DragArrowCursor() : LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
    }
    return ui::Label::HandleMessage(msg, wp, lp);
}

// ---- WrappedLabel

void WrappedLabel::Create(HWND parent, int id, const std::wstring& text, ui::Bounds b, const ui::LabelStyle& style) {
    style_ = style;
    ui::Label::Create(parent, id, text, b, style);
}

LRESULT WrappedLabel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT) return ui::Label::HandleMessage(msg, wp, lp);
    ui::BufferedPaint paint(Handle());
    HDC dc = paint.Dc();
    RECT rc = paint.Client();
    ui::PaintParentBackground(Handle(), dc, rc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, style_.color);
    SelectObject(dc, ui::TahomaFont(Px(style_.fontHeight), style_.underline));
    const std::wstring text = Text();
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
              DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    return 0;
}

}  // namespace ravenlock::online
