// The photo manager: the game's photos and screenshots counted and listed, the chosen
// one on screen, and the viewer menu's two deleting items with their questions.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/control_ids.h"
#include "disk_files.h"
#include "program_test.h"
#include "real_input.h"
#include "remote_controls.h"
#include "started_processes.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

// The sandbox's pictures: each a plain colour with a small mark in one corner.
struct SandboxPicture {
    const wchar_t* name;
    uint32_t colour;  // 0xRRGGBB
};
constexpr SandboxPicture kPhotos[] = {{L"Photo_0001.png", 0x2F6B3A},
                                      {L"Photo_0001-thumbnail.png", 0x2F6B3A},
                                      {L"Photo_0002.png", 0x6B3A2F},
                                      {L"Photo_0002-thumbnail.png", 0x6B3A2F}};
constexpr SandboxPicture kScreenshots[] = {{L"ScreenShot0.png", 0x1F4F8F}, {L"SHOT.PNG", 0x8F7F1F}};
constexpr wchar_t kQuestionTitle[] = L"Удаление файла";
// The menu's items, counted from its end.
constexpr int kRemoveImageFromBottom = 0, kRemoveThumbsFromBottom = 1, kPaintFromBottom = 2, kExternalFromBottom = 3,
              kShowInFolderFromBottom = 4;

std::wstring PhotoPath(const std::wstring& name) { return ProfileFolder() + L"Photos\\4801927\\" + name; }
std::wstring ScreenshotPath(const std::wstring& name) { return kGameFolder + name; }

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The share of a picture's pixels that have exactly this colour.
double Share(const Picture& picture, uint32_t colour) {
    if (picture.pixels.empty()) return 0;
    return static_cast<double>(std::count(picture.pixels.begin(), picture.pixels.end(), colour)) /
           static_cast<double>(picture.pixels.size());
}

class PhotoManager : public ProgramTest {
protected:
    HWND Get(int id) const { return On(ids::kTabPhotos, id); }
    void StartOnPhotosTab() {
        ASSERT_NE(Start(), nullptr);
        ASSERT_TRUE(ShowTab(Window(), ids::kTabPhotos));
    }
    // Selects the entry of that name and waits until the viewer shows its colour.
    void Select(int listId, const SandboxPicture& picture) {
        const auto lines = ListBoxLines(Get(listId));
        const auto at = std::find(lines.begin(), lines.end(), picture.name);
        ASSERT_NE(at, lines.end()) << picture.name << " is not listed";
        SelectListBoxLine(Get(listId), static_cast<int>(at - lines.begin()));
        ExpectViewerShows(picture);
    }
    void ExpectViewerShows(const SandboxPicture& picture) {
        double share = 0;
        EXPECT_TRUE(WaitFor([&] { return (share = Share(CaptureWindow(Get(ids::kPhotoViewerImage)), picture.colour)) > 0.8; }))
            << picture.name << " covers " << share << " of the viewer";
    }
    // Opens the viewer's menu over the picture and picks an item from the keyboard.
    void ChooseFromViewerMenu(int fromBottom) {
        RECT viewer{};
        GetWindowRect(Get(ids::kPhotoViewerImage), &viewer);
        PostMessageW(Page(Window(), ids::kTabPhotos), WM_CONTEXTMENU,
                     reinterpret_cast<WPARAM>(Get(ids::kPhotoViewerImage)),
                     MAKELPARAM((viewer.left + viewer.right) / 2, (viewer.top + viewer.bottom) / 2));
        HWND menu = WaitForPopupMenu(Running().Id());
        ASSERT_NE(menu, nullptr) << "no popup menu";
        ChooseFromBottomOfMenu(menu, fromBottom);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); })) << "the menu stays open";
    }
    // Answers the program's deletion question, which must read as given.
    void AnswerQuestion(const std::wstring& question, int answer) {
        HWND box = Running().WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no question was asked";
        EXPECT_EQ(TextOf(box), kQuestionTitle);
        EXPECT_EQ(MessageBoxText(box), question);
        Answer(box, answer);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        ASSERT_TRUE(Settle(Window()));
    }
};

TEST_F(PhotoManager, ListsCountAndTheSelectedPictureFillsTheViewer) {
    ASSERT_NE(Start(), nullptr);
    // Before the first showing: the design-time captions, everything greyed.
    EXPECT_EQ(TextOf(Get(ids::kScreenshotLabel)), L"Скриншотов Fallout 76:0");
    EXPECT_EQ(TextOf(Get(ids::kPhotoLabel)), L"Фотографий Fallout 76: 0");
    for (int id : {ids::kPhotoLabel, ids::kScreenshotLabel, ids::kPhotoListBox, ids::kScreenshotListBox})
        EXPECT_FALSE(IsEnabled(Get(id))) << id;

    ASSERT_TRUE(ShowTab(Window(), ids::kTabPhotos));
    EXPECT_EQ(TextOf(Get(ids::kPhotoLabel)), L"Фотографий Fallout 76: 4");
    EXPECT_EQ(TextOf(Get(ids::kScreenshotLabel)), L"Скриншотов Fallout 76: 2");
    for (int id : {ids::kPhotoLabel, ids::kScreenshotLabel, ids::kPhotoListBox, ids::kScreenshotListBox})
        EXPECT_TRUE(IsEnabled(Get(id))) << id;
    // The listing's order is the file system's; the names are what counts.
    EXPECT_EQ(Sorted(ListBoxLines(Get(ids::kPhotoListBox))),
              Sorted({L"Photo_0001.png", L"Photo_0001-thumbnail.png", L"Photo_0002.png", L"Photo_0002-thumbnail.png"}));
    EXPECT_EQ(Sorted(ListBoxLines(Get(ids::kScreenshotListBox))), Sorted({L"ScreenShot0.png", L"SHOT.PNG"}));
    const Picture placeholder = CaptureWindow(Get(ids::kPhotoViewerImage));
    for (const auto& p : kScreenshots) EXPECT_LT(Share(placeholder, p.colour), 0.05) << "already showing " << p.name;

    for (const auto& s : kScreenshots) Select(ids::kScreenshotListBox, s);
    Select(ids::kPhotoListBox, kPhotos[2]);
    const std::wstring folder = ScreenshotDir();
    ASSERT_FALSE(folder.empty()) << "RAVENLOCK_SCREENSHOT_DIR is not set";
    EXPECT_TRUE(SavePng(CaptureWindow(Window()), folder + L"tab1-photos.png"));
}

TEST_F(PhotoManager, DeleteFileAsksAndDeletesOnlyOnYes) {
    const SandboxPicture& shot = kScreenshots[1];
    StartOnPhotosTab();
    Select(ids::kScreenshotListBox, shot);
    const struct {
        int answer;
        bool deleted;
        const wchar_t* count;
    } cases[] = {{IDNO, false, L"Скриншотов Fallout 76: 2"}, {IDYES, true, L"Скриншотов Fallout 76: 1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer == IDYES ? "Yes" : "No");
        ChooseFromViewerMenu(kRemoveImageFromBottom);
        AnswerQuestion(L"Удалить файл?", c.answer);
        EXPECT_EQ(ExistsAsFile(ScreenshotPath(shot.name)), !c.deleted);
        EXPECT_EQ(TextOf(Get(ids::kScreenshotLabel)), c.count);
        EXPECT_EQ(ListBoxLines(Get(ids::kScreenshotListBox)).size(), c.deleted ? 1u : 2u);
    }
    EXPECT_TRUE(ExistsAsFile(ScreenshotPath(kScreenshots[0].name)));
    for (const auto& p : kPhotos) EXPECT_TRUE(ExistsAsFile(PhotoPath(p.name))) << p.name;
    // The deleted picture stays on screen.
    ExpectViewerShows(shot);
}

TEST_F(PhotoManager, DeletingItemsDoNothingBeforeAPictureIsSelected) {
    StartOnPhotosTab();
    for (const int item : {kRemoveImageFromBottom, kRemoveThumbsFromBottom}) {
        SCOPED_TRACE(item);
        ChooseFromViewerMenu(item);
        // Twice: a message box only shows once the queue has run dry.
        ASSERT_TRUE(Settle(Window()));
        ASSERT_TRUE(Settle(Window()));
        EXPECT_TRUE(Running().Dialogs().empty()) << "a question was asked";
    }
    for (const auto& p : kPhotos) EXPECT_TRUE(ExistsAsFile(PhotoPath(p.name))) << p.name;
    for (const auto& s : kScreenshots) EXPECT_TRUE(ExistsAsFile(ScreenshotPath(s.name))) << s.name;
    EXPECT_EQ(TextOf(Get(ids::kPhotoLabel)), L"Фотографий Fallout 76: 4");
}

TEST_F(PhotoManager, RemovingThumbnailsDeletesOnlyThem) {
    StartOnPhotosTab();
    Select(ids::kPhotoListBox, kPhotos[0]);
    ChooseFromViewerMenu(kRemoveThumbsFromBottom);
    AnswerQuestion(L"Удалить все файлы-миниатюр?", IDYES);
    for (const auto& p : kPhotos) {
        const bool thumbnail = std::wstring(p.name).find(L"-thumbnail") != std::wstring::npos;
        EXPECT_EQ(ExistsAsFile(PhotoPath(p.name)), !thumbnail) << p.name;
    }
    for (const auto& s : kScreenshots) EXPECT_TRUE(ExistsAsFile(ScreenshotPath(s.name))) << s.name;
    EXPECT_EQ(TextOf(Get(ids::kPhotoLabel)), L"Фотографий Fallout 76: 2");
    EXPECT_EQ(Sorted(ListBoxLines(Get(ids::kPhotoListBox))), Sorted({L"Photo_0001.png", L"Photo_0002.png"}));
}

TEST_F(PhotoManager, RemovingThumbnailsWithoutAPhotoFolderTouchesNothingElsewhere) {
    // No photo taken yet: the game has made no photo folder. The program runs from the
    // game's folder on drive C:, whose root holds a file of the thumbnails' pattern.
    const std::wstring photos = ProfileFolder() + L"Photos";
    ASSERT_TRUE(MoveFileExW(photos.c_str(), (photos + L" (moved away)").c_str(), 0));
    const std::wstring planted = L"C:\\Someone's-thumbnail.png";
    ASSERT_TRUE(WriteBytes(planted, "not the game's"));
    struct Remove {
        std::wstring path;
        ~Remove() { DeleteFileW(path.c_str()); }
    } removeAfterwards{planted};

    ASSERT_NE(Start(kGameFolder), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabPhotos));
    EXPECT_EQ(TextOf(Get(ids::kPhotoLabel)), L"Фотографий Fallout 76: 0");
    Select(ids::kScreenshotListBox, kScreenshots[0]);
    ChooseFromViewerMenu(kRemoveThumbsFromBottom);
    if (HWND box = Running().WaitForMessageBox(3s)) {
        ADD_FAILURE() << "asked to delete thumbnails with no photo folder";
        Answer(box, IDYES);  // as a user would
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    }
    ASSERT_TRUE(Settle(Window()));
    EXPECT_TRUE(ExistsAsFile(planted)) << "a file outside the game's folders was deleted";
    for (const auto& shot : kScreenshots) EXPECT_TRUE(ExistsAsFile(ScreenshotPath(shot.name))) << shot.name;
    EXPECT_TRUE(Running().Dialogs().empty());
}

TEST_F(PhotoManager, ShellItemsAndTheViewersDoubleClickHandOverThePathAsOneArgument) {
    // The game's folder, and so the screenshot's path, has spaces in it.
    const std::wstring path = ScreenshotPath(kScreenshots[0].name);
    ASSERT_NE(path.find(L' '), std::wstring::npos);
    const struct {
        const char* item;
        int fromBottom;
        const wchar_t* stub;
        std::vector<std::wstring> args;
    } cases[] = {
        {"Открыть во внешнем приложении", kExternalFromBottom, L"photoviewer", {path}},
        {"Открыть в MS Paint", kPaintFromBottom, L"mspaint", {path}},
    };
    StartOnPhotosTab();
    Select(ids::kScreenshotListBox, kScreenshots[0]);
    HWND viewer = Get(ids::kPhotoViewerImage);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        // Opened with the mouse over the picture, chosen from the keyboard.
        input::RightClick(input::CentreOf(viewer));
        HWND menu = WaitForPopupMenu(Running().Id());
        ASSERT_NE(menu, nullptr) << "no menu over the picture";
        ChooseFromBottomOfMenu(menu, c.fromBottom);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); })) << "the menu stays open";
        ASSERT_TRUE(WaitFor([&] { return !LogLines(LogOf(c.stub)).empty(); })) << "nothing was started";
        auto args = SplitCommandLine(LogLines(LogOf(c.stub)).front());
        args.erase(args.begin());
        EXPECT_EQ(args, c.args) << LogLines(LogOf(c.stub)).front();
    }

    // "Показать в папке" names explorer.exe, which Wine finds among its own programs before
    // any stand-in beside ours: its command line is read from the Explorer that starts.
    const ravenlock::testing::StartsOf explorer(L"explorer.exe");
    const auto explorersBefore = ProcessesNamed(L"explorer.exe");
    input::RightClick(input::CentreOf(viewer));
    HWND menu = WaitForPopupMenu(Running().Id());
    ASSERT_NE(menu, nullptr) << "no menu over the picture";
    ChooseFromBottomOfMenu(menu, kShowInFolderFromBottom);
    EXPECT_TRUE(WaitFor([&] { return !explorer.CommandLines().empty(); }, 30s)) << "no Explorer started; " << explorer.Text();
    DWORD started = 0;
    for (DWORD pid : ProcessesNamed(L"explorer.exe"))
        if (std::find(explorersBefore.begin(), explorersBefore.end(), pid) == explorersBefore.end()) started = pid;
    if (!explorer.CommandLines().empty()) {
        const std::wstring line = explorer.CommandLines().front();
        auto args = SplitCommandLine(line);
        if (!args.empty()) args.erase(args.begin());
        EXPECT_EQ(args, (std::vector<std::wstring>{L"/Select,", path})) << explorer.Text();
        EXPECT_EQ(explorer.CommandLines().size(), 1u) << explorer.Text();
    }
    if (started) {
        // Only the one just started: the other Explorer is Wine's desktop.
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, started)) {
            TerminateProcess(h, 0);
            CloseHandle(h);
        }
    }

    DeleteFileW(LogOf(L"photoviewer").c_str());
    input::LeftDoubleClick(input::CentreOf(viewer));
    ASSERT_TRUE(WaitFor([] { return !LogLines(LogOf(L"photoviewer")).empty(); })) << "the double-click opened nothing";
    ASSERT_TRUE(Settle(Window()));
    Sleep(1500);
    const auto opened = LogLines(LogOf(L"photoviewer"));
    ASSERT_EQ(opened.size(), 1u) << "the picture was opened more than once";
    EXPECT_EQ(SplitCommandLine(opened.front()).back(), path);
}

}  // namespace
}  // namespace e2e
