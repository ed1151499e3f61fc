// The Mods tab's install: the file dialog or a drop from Explorer, the unpacking on a
// worker (its progress handed to the UI thread), then on the UI thread the questions
// about replaced files, the move into Data, the new archives switched on and the
// closing message.
#include <thread>

#include "app/main_window.h"
#include "mods/mods_tab.h"
#include "platform/app_error.h"
#include "platform/late_libraries.h"
#include "ui/file_dialog.h"
#include "ui/ui_thread.h"

namespace ravenlock {

namespace {

constexpr wchar_t kBoxTitle[] = L"Моды";
constexpr wchar_t kModFilter[] = L"Моды (*.ba2;*.zip;*.7z;*.rar)|*.ba2;*.zip;*.7z;*.rar";
constexpr wchar_t kDropFeature[] = L"установка модов перетаскиванием";

// The worker's progress, handed over only when what the tab shows would change.
class ProgressRelay {
public:
    explicit ProgressRelay(std::function<void(const StageProgress&)> show) : show_(std::move(show)) {}
    void operator()(const StageProgress& p) {
        const uint64_t permille = p.totalBytes ? p.doneBytes * 1000 / p.totalBytes : 0;
        if (handed_ && permille == permille_ && p.currentFile == file_) return;
        handed_ = true;
        permille_ = permille;
        file_ = p.currentFile;
        ui::RunOnUiThread([&] { show_(p); });
    }

private:
    std::function<void(const StageProgress&)> show_;
    bool handed_ = false;
    uint64_t permille_ = 0;
    std::wstring file_;
};

}  // namespace

void ModsTab::InstallButtonClick() {
    if (installing_) return;
    const ui::FileDialogSpec spec{L"Установить мод", L"", L"", kModFilter,
                                  OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_DONTADDTORECENT};
    if (const auto chosen = ui::ShowOpenDialog(main_->Handle(), spec)) StartInstall({*chosen});
}

void ModsTab::FilesDropped(HDROP drop) {
    const late::Shell32Api& shell = late::Shell32(kDropFeature);
    std::vector<std::wstring> files;
    const UINT count = shell.DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = shell.DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(shell.DragQueryFileW(drop, i, path.data(), length + 1));
        if (!path.empty()) files.push_back(std::move(path));
    }
    shell.DragFinish(drop);
    if (installing_) throw AppError(L"Дождитесь конца установки, которая уже идёт.");
    if (!files.empty()) StartInstall(std::move(files));
}

void ModsTab::StartInstall(std::vector<std::wstring> sources) {
    installing_ = true;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    progressLabel_.SetText(L"Чтение архива…");
    progressBar_.SetFraction(0, 1);
    ShowInstalling(true);
    // The worker owns copies of its inputs; it hands every change of a control over.
    std::thread([this, sources = std::move(sources), data = DataFolder(), cancel = cancel_] {
        auto staged = std::make_shared<StagedInstall>();
        try {
            ProgressRelay relay([this](const StageProgress& p) { ShowProgress(p); });
            *staged = StageMods(sources, data, std::ref(relay), *cancel);
        } catch (const AppError& e) {
            staged->dataFolder = data;
            for (const auto& source : sources) staged->sources.push_back({source, {}, e.Message()});
        } catch (...) {
            staged->dataFolder = data;
            for (const auto& source : sources) staged->sources.push_back({source, {}, L"Непредвиденная ошибка"});
        }
        // The window is gone: nothing of it may stay in the temporary folder.
        if (!ui::RunOnUiThread([this, staged] { FinishInstall(*staged); })) DiscardStaged(*staged);
    }).detach();
}

void ModsTab::ShowProgress(const StageProgress& progress) {
    if (!installing_) return;
    progressLabel_.SetText(progress.currentFile);
    progressBar_.SetFraction(progress.doneBytes, progress.totalBytes);
}

void ModsTab::ShowInstalling(bool installing) {
    for (ui::Control* c : std::initializer_list<ui::Control*>{&progressLabel_, &progressBar_, &cancelButton_})
        c->SetVisible(installing);
    cancelButton_.SetEnabled(installing);
    EnableButtons();
}

void ModsTab::FinishInstall(StagedInstall& staged) {
    installing_ = false;
    cancel_.reset();
    ShowInstalling(false);
    InstallOutcome outcome;
    outcome.cancelled = staged.cancelled;
    outcome.leftOut = staged.leftOut;
    for (const StagedSource& s : staged.sources)
        if (!s.error.empty()) outcome.failedSources.emplace_back(s.sourcePath, s.error);
    std::vector<std::wstring> skip;
    try {
        if (!staged.cancelled)
            for (const StagedSource& s : staged.sources) {
                if (!s.error.empty()) continue;
                for (const StagedFile& f : s.files) {
                    if (!f.replaces) continue;
                    const std::wstring question = L"Заменить " + f.target + L"?";
                    if (MessageBoxW(main_->Handle(), question.c_str(), kBoxTitle, MB_YESNO | MB_ICONQUESTION) == IDYES)
                        continue;
                    skip.push_back(f.target);
                    outcome.declined.push_back(f.target);
                }
            }
    } catch (...) {
        DiscardStaged(staged);
        throw;
    }
    if (staged.cancelled) {
        DiscardStaged(staged);
    } else {
        const CommitResult committed = CommitStaged(staged, skip, ModRecordsFolder());
        outcome.commitError = committed.error;
        outcome.installed = committed.newArchives;
    }
    // New archives go on at the end of the main list; one that replaced a listed file keeps its place.
    std::exception_ptr failed;
    try {
        lists_ = ReadLists();
        ModLists next = lists_;
        for (const std::wstring& name : outcome.installed) next = WithModSwitched(next, name, true);
        Write(next);
    } catch (...) {
        failed = std::current_exception();
    }
    const bool clean = outcome.leftOut.empty() && outcome.failedSources.empty() && outcome.commitError.empty() &&
                       outcome.declined.empty() && !outcome.cancelled;
    MessageBoxW(main_->Handle(), InstallReport(outcome).c_str(), kBoxTitle,
                MB_OK | (clean ? MB_ICONINFORMATION : MB_ICONWARNING));
    if (failed) std::rethrow_exception(failed);
}

}  // namespace ravenlock
