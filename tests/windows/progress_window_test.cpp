// The progress window and its worker thread, run in-process from the
// program's own resources.
#include "frontend/progress_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>

#include "frontend/program_state.h"
#include "tests/test_files/test_files.h"
#include "win32/owners.h"

namespace {

// Every thread passes through the loader's TLS callbacks as it starts and
// as it ends, before it counts as ended. While `watching` is set, a handle
// to each thread that starts is kept, and each thread that ends takes a
// while over it: long enough for a caller that does not wait for its
// threads to return before they have ended.
constexpr int kMaxWatched = 64;
std::atomic<bool> watching{false};
std::atomic<int> watchedCount{0};
KernelHandle watched[kMaxWatched];

void NTAPI watchThread(PVOID, DWORD reason, PVOID) {
    if (!watching) return;
    if (reason == DLL_THREAD_ATTACH) {
        const int slot = watchedCount++;
        if (slot < kMaxWatched)
            DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(),
                            watched[slot].fill(), SYNCHRONIZE, FALSE, 0);
    } else if (reason == DLL_THREAD_DETACH) {
        Sleep(100);
    }
}

extern "C" __attribute__((section(".CRT$XLY"), used)) const PIMAGE_TLS_CALLBACK threadWatcher = watchThread;

// Of the threads watched, how many have not ended; their handles are closed.
int threadsStillRunning() {
    int running = 0;
    for (int i = 0; i < watchedCount && i < kMaxWatched; ++i) {
        running += WaitForSingleObject(watched[i].get(), 0) != WAIT_OBJECT_0;
        watched[i].reset();
    }
    watchedCount = 0;
    return running;
}

}  // namespace

// A worker that ends the window and is still winding down when the program
// goes on (and exits) under it makes for rare crashes. Whether it has ended
// is a race; a few runs whose threads are slow to end make it plain.
TEST(ProgressWindow, TheRunsThreadsHaveEndedWhenItReturns) {
    programInstance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(reserveWorkTables(workTables));
    TemporaryFolder folder;
    CurrentFolderScope stayHere(folder.path());  // the run enters the list's folder
    writeFileBytes(folder.file("chars.txt"), "AB");
    setStartupSettings(generationSettings);
    std::snprintf(generationSettings.inputPath, sizeof generationSettings.inputPath, "%s",
                  folder.file("chars.txt").c_str());
    for (int run = 0; run < 3; ++run) {
        watching = true;
        const bool written = runWithProgressWindow(nullptr);
        watching = false;
        EXPECT_TRUE(written);
        EXPECT_GE(watchedCount, 2);  // the worker and a drawing thread at least
        EXPECT_EQ(threadsStillRunning(), 0) << "run " << run;
    }
    releaseWorkTables(workTables);
}
