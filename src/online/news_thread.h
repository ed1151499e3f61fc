#pragma once
// The news: one fetch on a worker at start-up fills the three news lines of the Game
// tab; a click on a line downloads the item's picture and shows the news window.

namespace ravenlock {

class MainWindow;

// Starts the news worker and returns at once.
void StartNewsUpdate(MainWindow& main);

// slot 1, 2 or 3. Downloads the picture while the window waits (at most the client's
// time-out); a failed download or an unreadable picture is an error for the default
// error dialog, and the window keeps what it showed.
void ShowNewsWindow(MainWindow& main, int slot);

}  // namespace ravenlock
