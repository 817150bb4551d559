#pragma once

// Progress window of a generation run.
#define IDD_DIALOG_PROGRESS 101
#define IDC_PROGRESS 1028
