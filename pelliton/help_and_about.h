#pragma once

// Opens read_me.txt of the start folder with the program the system
// associates with it; warns when the file is not there.
void OpenHelp();

// Shows the product, its version and the credits of program and library.
void ShowAbout();
