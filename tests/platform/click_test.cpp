// What counts as a click on our own clickable controls (label, picture, switch): a press
// and a release on the same control, with the mouse captured in between; a double-click
// is one click. The messages go straight to the controls, as the system would send them.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/controls.h"

namespace {

using namespace ravenlock::ui;

constexpr int kControlId = 7;
int g_clicks = 0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == kControlId && HIWORD(wp) == STN_CLICKED) ++g_clicks;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A hidden top-level window with one of our controls, 100 x 20, in it.
class Fixture {
public:
    explicit Fixture(int kind) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"RavenlockClickTestParent";
        RegisterClassW(&wc);
        parent_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        const Bounds b{10, 10, 100, 20};
        if (kind == 0) {
            auto label = std::make_unique<Label>();
            LabelStyle style;
            style.clickable = true;
            label->Create(parent_, kControlId, L"link", b, style);
            control_ = std::move(label);
        } else if (kind == 1) {
            auto picture = std::make_unique<PictureBox>();
            picture->Create(parent_, kControlId, b, true, false);
            control_ = std::move(picture);
        } else {
            auto toggle = std::make_unique<ToggleSwitch>();
            toggle->Create(parent_, kControlId, b, RGB(0, 255, 0), L"RU", L"EN", true);
            control_ = std::move(toggle);
        }
    }
    ~Fixture() {
        control_.reset();
        DestroyWindow(parent_);
    }
    HWND Control() const { return control_->Handle(); }

private:
    HWND parent_ = nullptr;
    std::unique_ptr<ravenlock::ui::Control> control_;
};

struct Step {
    UINT msg;
    bool inside;  // where the mouse is, for button messages
};

TEST(Clicks, PressAndReleaseOnTheSameControlMakeOneClick) {
    const struct {
        const char* gesture;
        std::vector<Step> steps;
        int clicks;
    } cases[] = {
        {"click", {{WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, true}}, 1},
        {"release alone (pressed elsewhere)", {{WM_LBUTTONUP, true}}, 0},
        {"double-click",
         {{WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, true}, {WM_LBUTTONDBLCLK, true}, {WM_LBUTTONUP, true}},
         1},
        {"two clicks", {{WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, true}, {WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, true}}, 2},
        {"pressed, released outside", {{WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, false}}, 0},
        {"pressed, mouse taken away", {{WM_LBUTTONDOWN, true}, {WM_CAPTURECHANGED, true}, {WM_LBUTTONUP, true}}, 0},
    };
    const char* kinds[] = {"label", "picture", "switch"};
    for (int kind = 0; kind < 3; ++kind) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << kinds[kind] << ", " << c.gesture);
            Fixture fixture(kind);
            HWND control = fixture.Control();
            ASSERT_NE(control, nullptr);
            g_clicks = 0;
            for (const Step& s : c.steps) {
                // Another window takes the capture, as a menu or a box would.
                if (s.msg == WM_CAPTURECHANGED) {
                    SetCapture(GetParent(control));
                    continue;
                }
                const LPARAM at = s.inside ? MAKELPARAM(50, 10) : MAKELPARAM(150, 10);
                SendMessageW(control, s.msg, s.msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
            }
            EXPECT_EQ(g_clicks, c.clicks);
            EXPECT_NE(GetCapture(), control) << "the control keeps the mouse";
            ReleaseCapture();
        }
    }
}

}  // namespace
