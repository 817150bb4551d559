#pragma once

// Resource, control and menu ids of Pelliton_ogg.

// Icon of the program and of its window class.
#define IDI_PELLITON 101

// Controls of the main window, in the order they are created.
#define ID_FOLDERBOX 1000
#define ID_REFRESH 1001
#define ID_FILELIST 1002
#define ID_PLAY 1003
#define ID_SAVE 1004
#define ID_LOGCHECK 1005

// Items of the right-click menu, top to bottom.
#define IDM_REFRESH 1006
#define IDM_PLAY 1007
#define IDM_SAVE 1008
#define IDM_LOG 1009
#define IDM_HELP 1010
#define IDM_ABOUT 1011
#define IDM_EXIT 1012
