// Figures for the sound browser and Vox.dll with Ogg Vorbis files of three
// lengths, each set beside the shortest in the same run. Run by
// scripts/bench-pelliton.sh, which makes the files; prints figures, checks
// nothing.
//
//   pelliton_bench load FOLDER       VoxLoad and VoxPlay of each file
//   pelliton_bench cycles FOLDER N   handles, threads and memory around N
//                                    load/play/release cycles
//   pelliton_bench browser FOLDER    from a selection in the browser's list to
//                                    the first samples at the sound card, and
//                                    the browser's private memory as it plays
//
// FOLDER holds short.ogg, medium.ogg and long.ogg.

#include <windows.h>

#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/pelliton/browser_driver.h"
#include "vox/vox.h"
#include "win32/owners.h"

namespace {

struct Sound {
    const char* name;   // in FOLDER
    const char* label;  // for the figures
};
const Sound kSounds[] = {{"short.ogg", "10 s"}, {"medium.ogg", "5 min"}, {"long.ogg", "30 min"}};

double nowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * count.QuadPart / frequency.QuadPart;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// Committed memory that belongs to the process alone (heaps, stacks, the
// buffers of libraries), not the images and mappings it shares.
size_t privateBytes(HANDLE process) {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (char* address = nullptr; VirtualQueryEx(process, address, &region, sizeof region) != 0;
         address = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        total += region.State == MEM_COMMIT && region.Type == MEM_PRIVATE ? region.RegionSize : 0;
    }
    return total;
}

// Open handles of this process, from the system's handle table (Wine keeps
// no count of its own: GetProcessHandleCount says 0).
int handleCount() {
    struct Entry {
        ULONG ownerPid;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000004);
    std::vector<char> buffer(1 << 20);
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), nullptr)) ==
           kBufferTooSmall) {
        buffer.resize(2 * buffer.size());
    }
    if (status != 0) {
        return -1;
    }
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    int count = 0;
    for (ULONG i = 0; i < table->count; ++i) {
        count += table->entries[i].ownerPid == GetCurrentProcessId() ? 1 : 0;
    }
    return count;
}

int threadCount() {
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    return count;
}

double megabytes(double bytes) {
    return bytes / (1 << 20);
}

void printBesideShortest(const char* what, const std::vector<double>& milliseconds) {
    std::printf("%-34s", what);
    for (size_t i = 0; i < milliseconds.size(); ++i) {
        std::printf("  %s %7.2f ms (%4.2fx)", kSounds[i].label, milliseconds[i],
                    milliseconds[i] / milliseconds[0]);
    }
    std::printf("\n");
}

int benchLoad(const std::string& folder) {
    constexpr int kRounds = 41;
    std::vector<std::vector<double>> loads(std::size(kSounds)), plays(std::size(kSounds));
    // Rounds go through the files in turn, so that a busy moment of the
    // machine falls on all of them alike.
    for (int round = 0; round < kRounds; ++round) {
        for (size_t i = 0; i < std::size(kSounds); ++i) {
            const std::string path = folder + "\\" + kSounds[i].name;
            const double start = nowMs();
            const int handle = VoxLoad(path.c_str());
            const double loaded = nowMs();
            const int played = VoxPlay(handle);
            const double playing = nowMs();
            VoxRelease(handle);
            if (handle < 1 || played != 1) {
                std::printf("%s: VoxLoad %d, VoxPlay %d\n", path.c_str(), handle, played);
                return 1;
            }
            loads[i].push_back(loaded - start);
            plays[i].push_back(playing - loaded);
        }
    }
    std::vector<double> loadMedians, playMedians;
    for (size_t i = 0; i < std::size(kSounds); ++i) {
        loadMedians.push_back(median(loads[i]));
        playMedians.push_back(median(plays[i]));
    }
    std::printf("Median of %d rounds, in-process:\n", kRounds);
    printBesideShortest("VoxLoad", loadMedians);
    printBesideShortest("VoxPlay (device open, first block)", playMedians);
    return 0;
}

int benchCycles(const std::string& folder, int cycles) {
    const std::string path = folder + "\\" + kSounds[0].name;
    auto cycle = [&] {
        const int handle = VoxLoad(path.c_str());
        const bool played = VoxPlay(handle) == 1;
        VoxRelease(handle);
        return handle >= 1 && played;
    };
    // The system's audio side opens its handles and threads with the first
    // sound and keeps them; they are not the library's.
    for (int i = 0; i < 20; ++i) {
        cycle();
    }
    const int handlesBefore = handleCount();
    const int threadsBefore = threadCount();
    const size_t memoryBefore = privateBytes(GetCurrentProcess());
    const double start = nowMs();
    int failures = 0;
    for (int i = 0; i < cycles; ++i) {
        failures += cycle() ? 0 : 1;
    }
    const double seconds = (nowMs() - start) / 1000;
    Sleep(500);  // lets the system's audio threads wind down
    const int handlesAfter = handleCount();
    const int threadsAfter = threadCount();
    const size_t memoryAfter = privateBytes(GetCurrentProcess());
    std::printf("%d load/play/release cycles of the 10 s file in %.1f s (%.1f ms each), %d failed:\n", cycles,
                seconds, 1000 * seconds / cycles, failures);
    std::printf("  handles          %6d before, %6d after\n", handlesBefore, handlesAfter);
    std::printf("  threads          %6d before, %6d after\n", threadsBefore, threadsAfter);
    std::printf("  private memory %8.2f MB before, %.2f MB after (%+.2f MB)\n", megabytes(memoryBefore),
                megabytes(memoryAfter), megabytes(double(memoryAfter) - double(memoryBefore)));
    return 0;
}

// Selects `name` in the browser and returns the milliseconds until the
// first samples of its new stream reach the sound card; -1 if none came.
double timeSelection(Browser& browser, const std::string& name) {
    const size_t before = browser.streamCount();
    const double start = nowMs();
    browser.selectFileAndLeave(name);
    const bool arrived = eventually(
        [&] {
            const std::vector<size_t> now = browser.streamSizes();
            return now.size() > before && now.back() > 0;
        },
        10000);
    return arrived ? nowMs() - start : -1;
}

int benchBrowser(const std::string& folder) {
    TestFolders folders("bench-browser");
    folders.addFolder("sounds");
    for (const Sound& sound : kSounds) {
        if (!CopyFileA((folder + "\\" + sound.name).c_str(),
                       (folders.start() + "\\sounds\\" + sound.name).c_str(), FALSE)) {
            std::printf("cannot copy %s into the browser's folder\n", sound.name);
            return 1;
        }
    }
    Browser browser(folders);
    const KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, browser.processId()));
    browser.settle();
    const size_t idle = privateBytes(process.get());

    constexpr int kRounds = 15;
    std::vector<std::vector<double>> latencies(std::size(kSounds));
    std::vector<size_t> playingMemory(std::size(kSounds), 0);
    // Each selection stops the sound the one before started, as when a
    // user goes down the list.
    for (int round = 0; round < kRounds; ++round) {
        for (size_t i = 0; i < std::size(kSounds); ++i) {
            const double latency = timeSelection(browser, kSounds[i].name);
            if (latency < 0) {
                std::printf("%s: no sample reached the sound card\n", kSounds[i].name);
                return 1;
            }
            latencies[i].push_back(latency);
            // The sound has played a while: the figure of a sound under way.
            Sleep(round == 0 ? 1000 : 200);
            playingMemory[i] = std::max(playingMemory[i], privateBytes(process.get()));
        }
    }
    // The 10 s file plays to its end: the browser is idle again, with the
    // system's audio side set up.
    const size_t stream = browser.streamCount();
    browser.selectFileAndLeave(kSounds[0].name);
    browser.finalStreamSize(stream);
    const size_t idleAfter = privateBytes(process.get());
    std::vector<double> medians, minima, maxima;
    for (const std::vector<double>& times : latencies) {
        medians.push_back(median(times));
        minima.push_back(*std::min_element(times.begin(), times.end()));
        maxima.push_back(*std::max_element(times.begin(), times.end()));
    }
    std::printf(
        "From a selection in the list to the first samples at the sound card, the\n"
        "browser's fixed 100 ms pause included, %d rounds:\n",
        kRounds);
    printBesideShortest("  median", medians);
    printBesideShortest("  fastest", minima);
    printBesideShortest("  slowest", maxima);
    std::printf(
        "Private memory of the browser: idle %.2f MB before the first sound, %.2f MB once a\n"
        "sound has played out (the system's audio side stays set up); the most while playing:\n",
        megabytes(idle), megabytes(idleAfter));
    for (size_t i = 0; i < std::size(kSounds); ++i) {
        std::printf("  %-6s %8.2f MB (%+6.2f MB above the first idle, %+6.2f MB above the second)\n",
                    kSounds[i].label, megabytes(playingMemory[i]),
                    megabytes(double(playingMemory[i]) - double(idle)),
                    megabytes(double(playingMemory[i]) - double(idleAfter)));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "load") {
        return benchLoad(argv[2]);
    }
    if (mode == "cycles" && argc > 3) {
        return benchCycles(argv[2], std::atoi(argv[3]));
    }
    if (mode == "browser") {
        return benchBrowser(argv[2]);
    }
    std::fprintf(stderr, "usage: pelliton_bench load|browser FOLDER, or pelliton_bench cycles FOLDER N\n");
    return 2;
}
