// The settings page in the game: opened with KEY_SETTINGS or from the
// scenario menu, moved through with the frontend controls (up, down, left,
// right, accept, cancel), drawn with the notice's text natives. While it is
// open the controls it reads are taken from the game each frame, and the
// smoke, puff and scenario keys do nothing (the main loop skips the input
// dispatch); the reload keys and the page's own key keep working.
#pragma once

// Each frame, before the input dispatch: the page key, and while the page is
// open its controls and its drawing. Also while the plug-in is disabled, so
// that ENABLED can be switched back on here.
void UpdateSettingsPage();
bool SettingsPageOpen();
void OpenSettingsPage();
void CloseSettingsPage();
// After the settings were loaded again (a save, the reload keys): the page
// shows the new file, keeping its place and its last word.
void RefreshSettingsPage();
// A save asks for the reload the reload keys make; the main loop, which owns
// it, takes the request.
bool TakeSettingsReloadRequest();
