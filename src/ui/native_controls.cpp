#include "ui/native_controls.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/dispatch.h"
#include "ui/gdi.h"

namespace ravenlock::ui {

namespace {

HBRUSH FaceBrush() { return GetSysColorBrush(COLOR_BTNFACE); }

}  // namespace

namespace {
// A group box paints only its frame; what lies inside must be erased, or a page shown
// after another keeps the old page's pixels there. It lies beneath its siblings and clips
// them out, so the fill never covers the controls it frames.
LRESULT CALLBACK GroupBoxSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, GroupBoxSubclass, 1);
    return DefSubclassProc(hwnd, msg, wp, lp);
}
}  // namespace

void GroupBox::Create(HWND parent, int id, const std::wstring& caption, Bounds b) {
    MakeChild(L"BUTTON", caption, BS_GROUPBOX, 0, b, parent, id);
    SetWindowSubclass(Handle(), GroupBoxSubclass, 1, 0);
    // Beneath the controls it frames (its siblings), which must exist already.
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CheckBox::Create(HWND parent, int id, const std::wstring& caption, Bounds b, bool rightToLeft,
                      std::optional<COLORREF> captionColor) {
    color_ = captionColor;
    MakeChild(L"BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP | (rightToLeft ? BS_LEFTTEXT | BS_RIGHT : 0), 0, b, parent,
              id);
    // A themed check box ignores the text colour its parent gives; coloured ones go unthemed.
    if (color_) SetWindowTheme(Handle(), L"", L"");
}

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::SetCaptionColor(std::optional<COLORREF> color) {
    if (color == color_) return;
    const bool themed = !color_;
    color_ = color;
    if (color_ && themed) SetWindowTheme(Handle(), L"", L"");
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool CheckBox::Reflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, color_ ? *color_ : GetSysColor(COLOR_BTNTEXT));
    result = reinterpret_cast<LRESULT>(FaceBrush());
    return true;
}

void TrackBar::Create(HWND parent, int id, Bounds b, int minimum, int maximum, int ticEvery) {
    MakeChild(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS | WS_TABSTOP, 0, b, parent, id);
    SendMessageW(Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));
    SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(ticEvery), 0);
    SetPosition(minimum);
}

int TrackBar::Position() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }

void TrackBar::SetPosition(int position) {
    SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
    last_ = Position();
}

bool TrackBar::Reflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_HSCROLL) return false;
    const int now = Position();
    if (now != last_) {
        last_ = now;
        if (onChange) RunHandler(Handle(), onChange);
    }
    if (LOWORD(wp) == TB_ENDTRACK && onChangeFinished) RunHandler(Handle(), onChangeFinished);
    result = 0;
    return true;
}

void ListBox::Create(HWND parent, int id, Bounds b, std::optional<COLORREF> textColor, bool ownerDrawn) {
    color_ = textColor;
    ownerDrawn_ = ownerDrawn;
    const DWORD drawing = ownerDrawn ? LBS_OWNERDRAWFIXED | LBS_HASSTRINGS : 0;
    MakeChild(L"LISTBOX", L"",
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | WS_VSCROLL | WS_BORDER | WS_TABSTOP | drawing, 0, b,
              parent, id);
    FitLineHeight();
}

void ListBox::Rescale() {
    Control::Rescale();
    FitLineHeight();
}

void ListBox::FitLineHeight() {
    if (ownerDrawn_) {
        // Its lines were measured with the font it had when it was made (or before the
        // scale changed); they get the height a plain list gives them with its font.
        HDC dc = GetDC(Handle());
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(Handle(), dc);
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(metrics.tmHeight, 0));
    }
}

void ListBox::SetLineColors(std::map<int, COLORREF> colors) {
    if (colors == lineColors_) return;
    lineColors_ = std::move(colors);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::SetItems(const std::vector<std::wstring>& items) {
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
    for (const auto& item : items) SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::SetItem(int index, const std::wstring& text) {
    const int selected = Selected();
    SendMessageW(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    if (selected >= 0) Select(selected);
}

int ListBox::Selected() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void ListBox::Select(int index) { SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE && onSelect) onSelect();
}

void ListBox::DrawLine(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;
    // An empty list, or only the focus moved: the dotted frame is drawn (or taken away).
    if (item.itemID == static_cast<UINT>(-1) || item.itemAction == ODA_FOCUS) {
        if (item.itemID != static_cast<UINT>(-1) || (item.itemState & ODS_FOCUS)) DrawFocusRect(dc, &rc);
        return;
    }
    const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, item.itemID, 0);
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied = SendMessageW(Handle(), LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);

    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF color = color_ ? *color_ : GetSysColor(COLOR_WINDOWTEXT);
    if (const auto own = lineColors_.find(static_cast<int>(item.itemID)); own != lineColors_.end()) color = own->second;
    if (selected) color = GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (!IsWindowEnabled(Handle())) color = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    // Tabs at the default stops, as a plain list with LBS_USETABSTOPS expands them.
    TabbedTextOutW(dc, rc.left + 1, rc.top, text.c_str(), static_cast<int>(text.size()), 0, nullptr, rc.left + 1);
    SelectObject(dc, old);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

bool ListBox::Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_DRAWITEM && ownerDrawn_) {
        DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    }
    if (msg != WM_CTLCOLORLISTBOX || !color_) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, *color_);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

// ---- ListView

void ListView::Create(HWND parent, int id, Bounds b, int maxColumnWidth, HIMAGELIST icons, bool border) {
    maxWidth_ = maxColumnWidth;
    HWND hwnd = MakeChild(WC_LISTVIEWW, L"",
                          WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                              (border ? WS_BORDER : 0),
                          0, b, parent, id);
    ListView_SetBkColor(hwnd, GetSysColor(COLOR_BTNFACE));
    ListView_SetTextBkColor(hwnd, GetSysColor(COLOR_BTNFACE));
    ListView_SetImageList(hwnd, icons, LVSIL_SMALL);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = Px(std::min(b.w - 4, maxColumnWidth));
    ListView_InsertColumn(hwnd, 0, &column);
    width_ = b.w;
}

void ListView::SetRows(const std::vector<std::wstring>& rows) {
    HWND hwnd = Handle();
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(hwnd);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i].c_str());
        item.iImage = 0;
        ListView_InsertItem(hwnd, &item);
    }
    // The column follows its widest row, up to its limit.
    FitColumns();
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

namespace {
// Posted by the list view to itself: the user changed row wParam's check box (lParam: checked).
// The handler runs once the list's own notification has returned, so it may rebuild the rows.
constexpr UINT kMsgRowChecked = WM_APP + 50;
}  // namespace

void ListView::FitColumns() {
    HWND hwnd = Handle();
    if (!columns_.empty()) {
        for (size_t i = 0; i < columns_.size(); ++i) ListView_SetColumnWidth(hwnd, static_cast<int>(i), Px(columns_[i]));
        return;
    }
    if (ListView_GetItemCount(hwnd) == 0) {
        ListView_SetColumnWidth(hwnd, 0, Px(std::min(width_ - 4, maxWidth_)));
        return;
    }
    ListView_SetColumnWidth(hwnd, 0, LVSCW_AUTOSIZE);
    if (ListView_GetColumnWidth(hwnd, 0) > Px(maxWidth_)) ListView_SetColumnWidth(hwnd, 0, Px(maxWidth_));
}

void ListView::Rescale() {
    Control::Rescale();
    FitColumns();
}

void ListView::CreateTable(HWND parent, int id, Bounds b, const std::vector<std::pair<std::wstring, int>>& columns,
                           TableOptions options) {
    HWND hwnd = MakeChild(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          WS_EX_CLIENTEDGE, b, parent, id);
    ListView_SetExtendedListViewStyle(hwnd, LVS_EX_FULLROWSELECT | (options.checkBoxes ? LVS_EX_CHECKBOXES : 0));
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = Px(columns[i].second);
        columns_.push_back(columns[i].second);
        column.pszText = const_cast<wchar_t*>(columns[i].first.c_str());
        ListView_InsertColumn(hwnd, static_cast<int>(i), &column);
    }
    SetWindowSubclass(hwnd, &ListView::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
    dragRows_ = options.rowDrag;
}

void ListView::SetTable(const std::vector<std::vector<std::wstring>>& rows, const std::vector<bool>& checked) {
    HWND hwnd = Handle();
    filling_ = true;
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(hwnd);
    for (size_t i = 0; i < rows.size(); ++i) {
        for (size_t c = 0; c < rows[i].size(); ++c) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.iSubItem = static_cast<int>(c);
            item.pszText = const_cast<wchar_t*>(rows[i][c].c_str());
            if (c == 0) ListView_InsertItem(hwnd, &item);
            else ListView_SetItem(hwnd, &item);
        }
        if (i < checked.size()) ListView_SetCheckState(hwnd, static_cast<int>(i), checked[i] ? TRUE : FALSE);
    }
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    filling_ = false;
}

int ListView::Selected() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

void ListView::Select(int row) {
    filling_ = true;
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0) {
        ListView_SetItemState(Handle(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(Handle(), row, FALSE);
    }
    filling_ = false;
}

bool ListView::RowChecked(int row) const { return ListView_GetCheckState(Handle(), row) != 0; }

bool ListView::Reflect(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
    result = 0;
    switch (hdr->code) {
        case NM_CLICK:
            if (onMouseClick) RunHandler(Handle(), onMouseClick);
            return true;
        case NM_DBLCLK:
            if (onDoubleClick) RunHandler(Handle(), onDoubleClick);
            return true;
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lp);
            if (filling_ || !(change->uChanged & LVIF_STATE) || change->iItem < 0) return true;
            const UINT flipped = change->uNewState ^ change->uOldState;
            // A box that had no state image yet is one being set up, not a user's click.
            if ((flipped & LVIS_STATEIMAGEMASK) && (change->uOldState & LVIS_STATEIMAGEMASK))
                PostMessageW(Handle(), kMsgRowChecked, static_cast<WPARAM>(change->iItem),
                             ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2);
            if ((flipped & LVIS_SELECTED) && (change->uNewState & LVIS_SELECTED) && onSelect)
                RunHandler(Handle(), onSelect);
            return true;
        }
        case LVN_BEGINDRAG:
            if (dragRows_) BeginDrag(reinterpret_cast<const NMLISTVIEW*>(lp)->iItem);
            return true;
        default: return false;
    }
}

void ListView::BeginDrag(int row) {
    if (row < 0) return;
    dragged_ = row;
    SetCapture(Handle());
}

int ListView::DropPlace(POINT at) const {
    RECT client;
    GetClientRect(Handle(), &client);
    if (!PtInRect(&client, at)) return -1;
    LVHITTESTINFO hit{};
    hit.pt = at;
    const int row = ListView_HitTest(Handle(), &hit);
    const int count = ListView_GetItemCount(Handle());
    if (row < 0) {
        // Above the first row (the header) or below the last one.
        RECT first{};
        if (count > 0 && ListView_GetItemRect(Handle(), 0, &first, LVIR_BOUNDS) && at.y < first.top) return 0;
        return count;
    }
    // A row dropped on another takes its place.
    return row > dragged_ ? row + 1 : row;
}

void ListView::MarkDropTarget(int row) {
    if (row == dropTarget_) return;
    if (dropTarget_ >= 0) ListView_SetItemState(Handle(), dropTarget_, 0, LVIS_DROPHILITED);
    dropTarget_ = row;
    if (row >= 0) ListView_SetItemState(Handle(), row, LVIS_DROPHILITED, LVIS_DROPHILITED);
}

LRESULT CALLBACK ListView::Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    auto* list = reinterpret_cast<ListView*>(self);
    switch (msg) {
        case kMsgRowChecked:
            if (list->onCheck) {
                const int row = static_cast<int>(wp);
                const bool checked = lp != 0;
                RunHandler(hwnd, [&] { list->onCheck(row, checked); });
            }
            return 0;
        case WM_KEYDOWN:
            if ((wp == VK_UP || wp == VK_DOWN) && GetKeyState(VK_CONTROL) < 0 && list->dragRows_) {
                if (list->onMoveKey) RunHandler(hwnd, [&] { list->onMoveKey(wp == VK_UP ? -1 : 1); });
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK: {
            // The second click of a quick pair on a check box is a click on it as well, as
            // Windows' own list treats it (Wine's would drop it).
            LVHITTESTINFO hit{};
            hit.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (ListView_HitTest(hwnd, &hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
                return DefSubclassProc(hwnd, WM_LBUTTONDOWN, wp, lp);
            break;
        }
        case WM_MOUSEMOVE:
            if (list->dragged_ >= 0) {
                const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                LVHITTESTINFO hit{};
                hit.pt = at;
                list->MarkDropTarget(ListView_HitTest(hwnd, &hit));
                SetCursor(LoadCursorW(nullptr, list->DropPlace(at) >= 0 ? IDC_ARROW : IDC_NO));
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (list->dragged_ >= 0) {
                const int from = list->dragged_;
                const int to = list->DropPlace({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
                list->dragged_ = -1;
                list->MarkDropTarget(-1);
                ReleaseCapture();
                if (to >= 0 && list->onRowDropped) RunHandler(hwnd, [&] { list->onRowDropped(from, to); });
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            // Someone took the mouse (a box, Esc): the drag ends without a drop.
            if (list->dragged_ >= 0 && reinterpret_cast<HWND>(lp) != hwnd) {
                list->dragged_ = -1;
                list->MarkDropTarget(-1);
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &ListView::Subclass, 1); break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// ---- ProgressBar

void ProgressBar::Create(HWND parent, int id, Bounds b) {
    MakeChild(PROGRESS_CLASSW, L"", 0, 0, b, parent, id);
    SendMessageW(Handle(), PBM_SETRANGE32, 0, 1000);
}

void ProgressBar::SetFraction(uint64_t done, uint64_t total) {
    const uint64_t permille = total == 0 ? 0 : std::min<uint64_t>(1000, done * 1000 / total);
    SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(permille), 0);
}

// ---- ComboBox

void ComboBox::Create(HWND parent, int id, Bounds b) {
    // The height is that of the open list; the box itself takes the font's.
    MakeChild(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, b, parent, id);
}

void ComboBox::SetItems(const std::vector<std::wstring>& items, int selected) {
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const auto& item : items) SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    chosen_ = Selected();
}

int ComboBox::Selected() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void ComboBox::OnCommand(WORD code) {
    // Moving through the open list is no choice yet; closing it, or a step on the closed box, is.
    const bool open = SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (!((code == CBN_SELCHANGE && !open) || code == CBN_CLOSEUP) || Selected() == chosen_) return;
    chosen_ = Selected();
    if (onChoose) RunHandler(Handle(), onChoose);
}

void EditBox::Create(HWND parent, int id, const std::wstring& text, Bounds b, DWORD extraStyle) {
    // A multi-line field wraps at its width; a single-line one scrolls sideways.
    const DWORD scroll = (extraStyle & ES_MULTILINE) ? 0 : ES_AUTOHSCROLL;
    MakeChild(L"EDIT", text, scroll | WS_TABSTOP | extraStyle, WS_EX_CLIENTEDGE, b, parent, id);
    SetWindowSubclass(Handle(), &EditBox::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

void EditBox::OnCommand(WORD code) {
    if (code == EN_SETFOCUS && onFocus) onFocus();
    if (code == EN_KILLFOCUS && onBlur) onBlur();
    if (code == EN_CHANGE && onChange) onChange();
}

LRESULT CALLBACK EditBox::Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    auto* edit = reinterpret_cast<EditBox*>(self);
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter belongs to the field, not to the window's default button.
            if (lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN)
                return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, msg, wp, lp);
            break;
        case WM_KEYDOWN:
            if (wp == VK_RETURN) {
                if (edit->onEnter) RunHandler(hwnd, edit->onEnter);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wp == L'\r') return 0;  // no beep
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &EditBox::Subclass, 1); break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace ravenlock::ui
