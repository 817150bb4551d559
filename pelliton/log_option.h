#pragma once

// The log option ("ログ付保存"): check box, menu check mark and
// `browser.logOption` always agree.

// Starts the option off: clears the menu check mark the popup was built
// with. The check box is created unchecked.
void ResetLogOption();

// Flips the option, and sets check box and menu item to match. The check box
// is an automatic one: when it was clicked, its mark has already flipped,
// and is set again to the same value.
void ToggleLogOption();
