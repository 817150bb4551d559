#pragma once

// Batch mode: applies the process arguments to the start-up settings and
// performs one generation run with a progress window. Refuses, with a
// message, a run without an input file or with settings no run can use.
// Returns true when the run wrote its files.
bool runBatchMode();
