// Measures how long it takes from the selection of a file in the browser's
// list to the first samples reaching the sound card (the sink), for a WAV
// file played through MCI and an Ogg Vorbis file played through Vox.dll.
// The figure includes the browser's fixed 100 ms pause before every play.
// Run by scripts/measure-pelliton-latency.sh; prints figures, checks nothing.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "browser_driver.h"

namespace {

constexpr int kRounds = 10;

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// Selects `name` in a freshly started browser and times the first byte of
// its stream at the sink.
double measureOnce(const std::string& name, const Bytes& sound, int round) {
    TestFolders folders("latency-" + std::to_string(round));
    folders.addFile("sounds\\" + name, sound);
    Browser browser(folders);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    browser.selectFileAndLeave(name);
    double elapsed = -1;
    eventually(
        [&] {
            std::vector<Bytes> streams = browser.streams();
            if (streams.empty() || streams[0].empty()) {
                return false;
            }
            elapsed = millisecondsSince(start);
            return true;
        },
        10000);
    return elapsed;
}

void report(const char* what, const std::string& name, const Bytes& sound) {
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        double time = measureOnce(name, sound, round);
        if (time >= 0) {
            times.push_back(time);
        }
    }
    std::sort(times.begin(), times.end());
    if (times.empty()) {
        std::printf("%-34s no sample arrived\n", what);
        return;
    }
    std::printf("%-34s min %6.1f ms  median %6.1f ms  max %6.1f ms  (%zu of %d rounds)\n", what,
                times.front(), times[times.size() / 2], times.back(), times.size(), kRounds);
}

}  // namespace

int main() {
    std::printf(
        "From a selection in the list to the first samples at the sound card,\n"
        "the browser's fixed 100 ms pause before playing included:\n");
    Bytes ogg = readFileBytes(std::string(VOX_TEST_DATA) + "\\long-mono.ogg");
    report("WAV through MCI (22.05 kHz mono)", "tone.wav", makeWav(3));
    report("Ogg Vorbis through Vox.dll (8 s)", "tone.ogg", ogg);
    return 0;
}
