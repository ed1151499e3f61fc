#include "remote_controls.h"

#include <commctrl.h>

#include <optional>

#include "app/control_ids.h"
#include "driver.h"

namespace e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT SendWithin(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return -1;
    return static_cast<LRESULT>(result);
}

// A block of memory in the process that owns a window, freed on destruction.
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(owner));
        if (process_) at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const { return at_ != nullptr; }
    char* At(size_t offset = 0) const { return static_cast<char*>(at_) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const {
        SIZE_T done = 0;
        return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, &done) && done == size;
    }
    bool Read(size_t offset, void* data, size_t size) const {
        SIZE_T done = 0;
        return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, &done) && done == size;
    }

private:
    HANDLE process_ = nullptr;
    void* at_ = nullptr;
    size_t size_;
};

std::optional<RECT> ListViewItemRect(HWND listView, int row, LONG part = LVIR_LABEL) {
    RemoteBuffer buffer(listView, sizeof(RECT));
    RECT rect{part, 0, 0, 0};
    if (!buffer || !buffer.Write(0, &rect, sizeof(rect))) return std::nullopt;
    if (SendWithin(listView, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.At())) != TRUE)
        return std::nullopt;
    if (!buffer.Read(0, &rect, sizeof(rect))) return std::nullopt;
    return rect;
}

struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (ProcessOf(window) == search->pid && ClassOf(window) == search->className) search->found.push_back(window);
    return TRUE;
}

struct MenuSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<MenuSearch*>(param);
    if (ProcessOf(window) == search->pid && IsWindowVisible(window) && ClassOf(window) == L"#32768") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

namespace {
// The strings of a list box or combo box, through its count, length and text messages
// (which Windows carries between processes).
std::vector<std::wstring> ItemTexts(HWND control, UINT countMsg, UINT lengthMsg, UINT textMsg) {
    std::vector<std::wstring> items;
    const LRESULT count = SendWithin(control, countMsg, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendWithin(control, lengthMsg, static_cast<WPARAM>(i), 0);
        if (length < 0) break;
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied = SendWithin(control, textMsg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        items.push_back(std::move(item));
    }
    return items;
}
}  // namespace

std::vector<std::wstring> ListBoxLines(HWND listBox) { return ItemTexts(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

int ListBoxSelection(HWND listBox) { return static_cast<int>(SendWithin(listBox, LB_GETCURSEL, 0, 0)); }

void SelectListBoxLine(HWND listBox, int index) {
    SendWithin(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(GetParent(listBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(listBox), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(listBox));
}

namespace {

// A line's rectangle in the list's client area.
RECT ListBoxLineRect(HWND listBox, int index) {
    const int height = static_cast<int>(SendWithin(listBox, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendWithin(listBox, LB_GETTOPINDEX, 0, 0));
    RECT client{};
    GetClientRect(listBox, &client);
    const int y = (index - top) * height;
    return {client.left, y, client.right, y + height};
}

}  // namespace

std::optional<std::pair<int, int>> ListBoxLineRows(HWND listBox, int index) {
    const RECT line = ListBoxLineRect(listBox, index);
    RECT client{};
    GetClientRect(listBox, &client);
    if (line.top < 0 || line.bottom > client.bottom) return std::nullopt;
    // The screenshot starts at the window's outer edge, the rows at its client area.
    RECT window{};
    GetWindowRect(listBox, &window);
    POINT origin{0, 0};
    ClientToScreen(listBox, &origin);
    const int offset = origin.y - window.top;
    return std::make_pair(line.top + offset, line.bottom + offset);
}

POINT ListBoxLineCentre(HWND listBox, int index) {
    const RECT line = ListBoxLineRect(listBox, index);
    POINT at{(line.left + line.right) / 2, (line.top + line.bottom) / 2};
    ClientToScreen(listBox, &at);
    return at;
}

namespace {

constexpr size_t kCellChars = 2048;

// One cell's text through a buffer of sizeof(LVITEMW) + kCellChars characters; nothing
// when the list does not answer.
std::optional<std::wstring> CellText(const RemoteBuffer& buffer, HWND listView, int row, int column) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(LVITEMW)));
    item.cchTextMax = kCellChars;
    if (!buffer.Write(0, &item, sizeof(item))) return std::nullopt;
    const LRESULT n =
        SendWithin(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.At()));
    if (n < 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(n), L'\0');
    if (n > 0 && !buffer.Read(sizeof(LVITEMW), text.data(), static_cast<size_t>(n) * sizeof(wchar_t)))
        return std::nullopt;
    return text;
}

}  // namespace

std::vector<std::vector<std::wstring>> ListViewTable(HWND listView, int columns) {
    std::vector<std::vector<std::wstring>> rows;
    RemoteBuffer buffer(listView, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
    if (!buffer) return rows;
    const LRESULT count = SendWithin(listView, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        auto& row = rows.emplace_back();
        for (int c = 0; c < columns; ++c) {
            auto text = CellText(buffer, listView, static_cast<int>(i), c);
            if (!text) return {};
            row.push_back(std::move(*text));
        }
    }
    return rows;
}

std::vector<std::wstring> ListViewRows(HWND listView) {
    std::vector<std::wstring> rows;
    for (auto& row : ListViewTable(listView, 1)) rows.push_back(std::move(row[0]));
    return rows;
}

std::wstring ListViewColumnCaption(HWND listView, int column) {
    RemoteBuffer buffer(listView, sizeof(LVCOLUMNW) + kCellChars * sizeof(wchar_t));
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(LVCOLUMNW)));
    col.cchTextMax = kCellChars;
    if (!buffer || !buffer.Write(0, &col, sizeof(col)) ||
        SendWithin(listView, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(buffer.At())) <= 0)
        return L"(no answer)";
    std::wstring text(kCellChars, L'\0');
    if (!buffer.Read(sizeof(LVCOLUMNW), text.data(), kCellChars * sizeof(wchar_t))) return L"(unreadable)";
    text.resize(wcsnlen(text.c_str(), kCellChars));
    return text;
}

int ListViewRowCount(HWND listView) { return static_cast<int>(SendWithin(listView, LVM_GETITEMCOUNT, 0, 0)); }

int ListViewSelection(HWND listView) {
    return static_cast<int>(SendWithin(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<bool> ListViewChecks(HWND listView) {
    std::vector<bool> checks;
    const LRESULT count = SendWithin(listView, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        checks.push_back(((SendWithin(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK) &
                           LVIS_STATEIMAGEMASK) >> 12) == 2);
    return checks;
}

std::optional<POINT> ListViewRowPoint(HWND listView, int row, bool checkBox) {
    const auto label = ListViewItemRect(listView, row, LVIR_LABEL);
    const auto bounds = ListViewItemRect(listView, row, LVIR_BOUNDS);
    if (!label || !bounds || label->right <= label->left) return std::nullopt;
    const int y = (label->top + label->bottom) / 2;
    // The box stands before the label, at the row's left end.
    const int x = checkBox ? (bounds->left + label->left) / 2 : (label->left + label->right) / 2;
    POINT at{x, y};
    ClientToScreen(listView, &at);
    return at;
}

bool ClickListViewRow(HWND listView, int row) {
    const auto rect = ListViewItemRect(listView, row);
    if (!rect || rect->right <= rect->left) return false;
    PostLeftClick(listView, {(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2});
    return true;
}

void ClickListViewEmptyArea(HWND listView) {
    RECT client{};
    GetClientRect(listView, &client);
    const int count = static_cast<int>(SendWithin(listView, LVM_GETITEMCOUNT, 0, 0));
    const auto last = count > 0 ? ListViewItemRect(listView, count - 1) : std::nullopt;
    // Below the last row when there is room; otherwise at the right end of the first
    // row, beyond its text, which belongs to no row either.
    if (!last || last->bottom + 4 < client.bottom) {
        PostLeftClick(listView, {4, last ? last->bottom + 3 : 4});
        return;
    }
    const auto first = ListViewItemRect(listView, 0);
    PostLeftClick(listView, {client.right - 3, first ? (first->top + first->bottom) / 2 : 4});
}

void PostLeftClick(HWND window, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(window, WM_LBUTTONUP, 0, where);
}

void PostLeftClick(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    PostLeftClick(window, {client.right / 2, client.bottom / 2});
}

void PostKey(HWND window, UINT virtualKey) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

bool SetEditText(HWND edit, const std::wstring& text) {
    SendWithin(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return TextOf(edit) == text;
}

int TrackBarPosition(HWND trackBar) { return static_cast<int>(SendWithin(trackBar, TBM_GETPOS, 0, 0)); }

void DragTrackBar(HWND trackBar, int position) {
    SendWithin(trackBar, TBM_SETPOS, TRUE, position);
    HWND parent = GetParent(trackBar);
    const LPARAM from = reinterpret_cast<LPARAM>(trackBar);
    PostMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), from);
    PostMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), from);
    PostMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), from);
}

POINT TrackBarThumbCentre(HWND trackBar) {
    RemoteBuffer buffer(trackBar, sizeof(RECT));
    RECT thumb{};
    if (buffer) SendWithin(trackBar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(buffer.At()));
    if (!buffer || !buffer.Read(0, &thumb, sizeof(thumb))) return {};
    POINT centre{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    ClientToScreen(trackBar, &centre);
    return centre;
}

std::vector<std::wstring> ComboBoxItems(HWND comboBox) {
    return ItemTexts(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int ComboBoxSelection(HWND comboBox) { return static_cast<int>(SendWithin(comboBox, CB_GETCURSEL, 0, 0)); }

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TooltipOf(HWND control) {
    constexpr size_t kChars = 2048;
    for (HWND tip : WindowsOf(ProcessOf(control), TOOLTIPS_CLASSW)) {
        RemoteBuffer buffer(tip, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
        if (!buffer) continue;
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND;
        info.hwnd = GetParent(control);
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(TTTOOLINFOW)));
        const wchar_t nothing = 0;
        if (!buffer.Write(sizeof(TTTOOLINFOW), &nothing, sizeof(nothing)) || !buffer.Write(0, &info, sizeof(info)))
            continue;
        SendWithin(tip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(buffer.At()));
        std::wstring text(kChars, L'\0');
        if (!buffer.Read(sizeof(TTTOOLINFOW), text.data(), kChars * sizeof(wchar_t))) continue;
        text.resize(wcsnlen(text.c_str(), kChars));
        if (!text.empty()) return text;
    }
    return L"";
}

HWND WaitForPopupMenu(DWORD processId, std::chrono::milliseconds limit) {
    MenuSearch search{processId, nullptr};
    WaitFor(
        [&] {
            EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        limit);
    return search.found;
}

void ChooseFromBottomOfMenu(HWND menu, int fromBottom) {
    // Up from no selection lands on the last item; separators are skipped.
    for (int i = 0; i <= fromBottom; ++i) PostKey(menu, VK_UP);
    // The menu acts on the character that Enter makes.
    PostMessageW(menu, WM_CHAR, L'\r', 1);
}

HWND Page(HWND mainWindow, int tab) { return Control(mainWindow, ravenlock::ids::kPageFirst + tab); }

bool ShowTab(HWND mainWindow, int tab) {
    Click(Control(mainWindow, ravenlock::ids::kTabButtonFirst + tab));
    return Settle(mainWindow) && IsShown(Page(mainWindow, tab));
}

bool SendDpiChanged(HWND window, int dpi, const RECT& suggested) {
    RemoteBuffer rect(window, sizeof(RECT));
    if (!rect || !rect.Write(0, &suggested, sizeof(RECT))) return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(rect.At()),
                               SMTO_ABORTIFHUNG, 10000, &ignored) != 0;
}

bool Settle(HWND mainWindow) {
    static WPARAM counter = 0;
    HWND marker = PageControl(mainWindow, ravenlock::ids::kPageFirst + ravenlock::ids::kTabEditor,
                              ravenlock::ids::kParameterEdit);
    if (!marker) return false;
    // A text limit nobody reaches: the marker changes nothing a user could see.
    const WPARAM limit = 0x40000 + (++counter & 0xFFFF);
    PostMessageW(marker, EM_SETLIMITTEXT, limit, 0);
    return WaitFor([&] { return SendWithin(marker, EM_GETLIMITTEXT, 0, 0) == static_cast<LRESULT>(limit); });
}

}  // namespace e2e
