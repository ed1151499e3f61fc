#pragma once
// Which edition of the game the program works with, Steam's or the Microsoft Store's:
// found at start-up, and switched by the user from the Game tab's box or the tray menu
// when both are installed.
#include <optional>
#include <string>

#include "platform/game_edition.h"
#include "ui/controls.h"
#include "ui/native_controls.h"

namespace ravenlock {

class MainWindow;

class EditionChooser {
public:
    // The box and its caption on the Game tab; hidden until both editions are found.
    void Create(HWND gamePage, MainWindow& main);
    // Finds the editions and makes one current; asks with the file dialog when neither is
    // installed. False when the user gave no usable executable.
    bool Locate();
    // Whether Steam's client is needed (the Steam edition).
    static bool NeedsSteam() { return CurrentEdition().Kind == EditionKind::Steam; }
    // The user's choice, from the box or the tray: stored, and every tab follows it.
    void Choose(EditionKind kind);

    ui::Label Caption;
    ui::ComboBox Box;

private:
    MainWindow* main_ = nullptr;
    HWND gamePage_ = nullptr;
    std::optional<std::wstring> steamFolder_, storeFolder_;  // what start-up found
    // The caption and the box are made once both editions are found (most have one).
    void MakeChoiceControls();
    GameEdition EditionOf(EditionKind kind) const;
    void ShowChoice();
};

}  // namespace ravenlock
