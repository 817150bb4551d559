#pragma once

// Progress window of a generation run.
#define IDD_DIALOG_PROGRESS 101
#define IDC_PROGRESS 1028

// Main dialog: every control edits one setting or starts one command;
// labels and frames have no id.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDD_DIALOG_MAIN 102
#define IDC_CREATE 1001
#define IDC_INPUT_PATH 1002
#define IDC_BROWSE_INPUT 1003
#define IDC_EDGE_ON 1005
#define IDC_SAVE_BATCH 1006
#define IDC_BEVEL_ON 1007
#define IDC_LOAD_BATCH 1009
#define IDC_FONT_SIZE 1013
#define IDC_FACE 1014
#define IDC_EDGE_SIZE 1018
#define IDC_BEVEL_SIZE 1019
#define IDC_BEVEL_DIRECTION 1020
#define IDC_BOLD 1022
#define IDC_SAMPLE 1023
#define IDC_ITALIC 1024
#define IDC_PREVIEW 1025
#define IDC_ASPECT_X 1026
#define IDC_REFRESH_PREVIEW 1027
#define IDC_ASPECT_Y 1028
#define IDC_OUT_NAME 1030
#define IDC_BEVEL_COLOUR 1031
#define IDC_EDGE_COLOUR 1032
#define IDC_COLOUR 1033
#define IDC_PAGE_FORMAT 1035
#define IDC_PAGE_WIDTH 1036
#define IDC_FIX_PITCH 1037
#define IDC_PAGE_HEIGHT 1038
