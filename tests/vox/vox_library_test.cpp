// Vox.dll through its exports, as the browser links it. Playback goes to the
// ALSA file sink that the test's environment names (see CMakeLists.txt), so
// that the samples that reach the "sound card" can be read back.

#include "vox.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "ogg_decoder.h"
#include "test_files.h"

namespace {

const std::string kTone = std::string(VOX_TEST_DATA) + "/tone-stereo.ogg";  // 0.25 s
const std::string kLong = std::string(VOX_TEST_DATA) + "/long-mono.ogg";    // 8 s

// Threads of this process that started inside Vox.dll. The system's own
// audio threads come and go as they please, so only these are counted.
int threadsOfTheLibrary() {
    HMODULE library = GetModuleHandleA("Vox.dll");
    MODULEINFO image = {};
    GetModuleInformation(GetCurrentProcess(), library, &image, sizeof image);
    auto* imageStart = static_cast<char*>(image.lpBaseOfDll);

    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId()) {
            continue;
        }
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        char* startAddress = nullptr;
        if (thread != nullptr &&
            NtQueryInformationThread(thread, ThreadQuerySetWin32StartAddress, &startAddress,
                                     sizeof startAddress, nullptr) == 0 &&
            startAddress >= imageStart && startAddress < imageStart + image.SizeOfImage) {
            ++count;
        }
        if (thread != nullptr) {
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
    return count;
}

size_t committedBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (auto* address = static_cast<char*>(nullptr); VirtualQuery(address, &region, sizeof region) != 0;
         address = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        total += region.State == MEM_COMMIT ? region.RegionSize : 0;
    }
    return total;
}

// Kernel handles are given out lowest free slot first, so a handle opened
// after some work has the same value as one opened before unless the work
// left handles open.
HANDLE nextHandleValue() {
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return probe;
}

bool waitForStatus(int handle, int status) {
    return eventually([&] { return VoxGetStatus(handle) == status; });
}

// A new thread shows its start address once it runs.
bool libraryThreadsBecome(int count) {
    return eventually([&] { return threadsOfTheLibrary() == count; }, 1000);
}

class VoxLibrary : public testing::Test {
protected:
    void TearDown() override { VoxDelete(0); }
};

TEST_F(VoxLibrary, LoadGivesDistinctHandlesThatFitInEightBitsAndAreNeither0Nor255) {
    std::vector<int> handles;
    for (int i = 0; i < 3; ++i) {
        int handle = VoxLoad(kTone.c_str());
        EXPECT_GE(handle, 1);
        EXPECT_LE(handle, 254);
        for (int other : handles) {
            EXPECT_NE(handle, other);
        }
        handles.push_back(handle);
        EXPECT_EQ(VoxGetStatus(handle), 0);
    }
}

TEST_F(VoxLibrary, LoadTakesCodePage932Paths) {
    const std::string japanese = "音の試し.ogg";
    writeFileBytes(japanese, readFileBytes(kTone));
    int handle = VoxLoad(japanese.c_str());
    EXPECT_GE(handle, 1);
    VoxRelease(handle);
    DeleteFileA(japanese.c_str());
}

TEST_F(VoxLibrary, LoadRefusesMissingDamagedAndTruncatedFiles) {
    std::vector<unsigned char> tone = readFileBytes(kTone);
    std::vector<unsigned char> cut(tone.begin(), tone.end() - 100);
    std::vector<unsigned char> damaged = tone;
    damaged[damaged.size() / 2] ^= 0xFF;
    writeFileBytes("cut.ogg", cut);
    writeFileBytes("damaged.ogg", damaged);

    EXPECT_EQ(VoxLoad("no such file.ogg"), -1);
    EXPECT_EQ(VoxLoad("cut.ogg"), -1);
    EXPECT_EQ(VoxLoad("damaged.ogg"), -1);
    EXPECT_EQ(VoxLoad(nullptr), -1);
}

TEST_F(VoxLibrary, HandlesThatHoldNothingAreAcceptedAndLeaveOtherSoundsAlone) {
    int kept = VoxLoad(kTone.c_str());
    int released = VoxLoad(kTone.c_str());
    ASSERT_GE(released, 1);
    EXPECT_NE(VoxRelease(released), 0);

    for (int nothing : {0, 255, released, 200, -1, 1000}) {
        EXPECT_EQ(VoxGetStatus(nothing), -1) << nothing;
        EXPECT_NE(VoxRelease(nothing), 0) << nothing;
        EXPECT_EQ(VoxPlay(nothing), 0) << nothing;
    }
    EXPECT_EQ(VoxGetStatus(kept), 0);
}

TEST_F(VoxLibrary, Holds254SoundsAndGivesAFreedHandleAgain) {
    for (int i = 0; i < 254; ++i) {
        ASSERT_GE(VoxLoad(kTone.c_str()), 1) << "sound " << i;
    }
    EXPECT_EQ(VoxLoad(kTone.c_str()), -1);
    VoxRelease(77);
    EXPECT_EQ(VoxLoad(kTone.c_str()), 77);
}

TEST_F(VoxLibrary, PlayReturnsAtOnceAndReleaseStopsThePlayingSound) {
    int handle = VoxLoad(kLong.c_str());
    ASSERT_GE(handle, 1);

    DWORD start = GetTickCount();
    EXPECT_EQ(VoxPlay(handle), 1);
    EXPECT_LT(GetTickCount() - start, 200u);  // the sound lasts seconds
    EXPECT_EQ(VoxGetStatus(handle), 1);
    EXPECT_TRUE(libraryThreadsBecome(1));

    start = GetTickCount();
    EXPECT_NE(VoxRelease(handle), 0);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(VoxGetStatus(handle), -1);
    EXPECT_EQ(threadsOfTheLibrary(), 0);
}

TEST_F(VoxLibrary, SoundPlayedToItsEndStaysLoadedAndPlaysAgain) {
    int handle = VoxLoad(kTone.c_str());
    ASSERT_EQ(VoxPlay(handle), 1);
    ASSERT_TRUE(waitForStatus(handle, 0));
    EXPECT_EQ(VoxPlay(handle), 1);
    EXPECT_EQ(VoxGetStatus(handle), 1);
}

TEST_F(VoxLibrary, PlayingAgainStartsOver) {
    int handle = VoxLoad(kLong.c_str());
    ASSERT_EQ(VoxPlay(handle), 1);
    Sleep(100);
    EXPECT_EQ(VoxPlay(handle), 1);
    EXPECT_EQ(VoxGetStatus(handle), 1);
    EXPECT_TRUE(libraryThreadsBecome(1));  // the first playback's thread has ended
}

TEST_F(VoxLibrary, DecodedSamplesReachTheSoundCardUnchanged) {
    DecodedSound expected;
    std::vector<unsigned char> file = readFileBytes(kTone);
    ASSERT_TRUE(decodeOggVorbis(file.data(), file.size(), SIZE_MAX, expected));

    int handle = VoxLoad(kTone.c_str());
    ASSERT_EQ(VoxPlay(handle), 1);
    ASSERT_TRUE(waitForStatus(handle, 0));

    std::vector<unsigned char> played = readFileBytes(VOX_TEST_SINK);
    ASSERT_EQ(played.size(), expected.samples.size() * sizeof(int16_t));
    EXPECT_EQ(std::memcmp(played.data(), expected.samples.data(), played.size()), 0);
}

TEST_F(VoxLibrary, DeleteReleasesEverySound) {
    int playing = VoxLoad(kLong.c_str());
    int loaded = VoxLoad(kTone.c_str());
    ASSERT_EQ(VoxPlay(playing), 1);

    EXPECT_NE(VoxDelete(loaded), 0);
    EXPECT_EQ(VoxGetStatus(playing), -1);
    EXPECT_EQ(VoxGetStatus(loaded), -1);
    EXPECT_EQ(threadsOfTheLibrary(), 0);
    EXPECT_GE(VoxLoad(kTone.c_str()), 1);  // still usable
}

TEST_F(VoxLibrary, ThousandsOfLoadPlayReleaseCyclesLeaveNothingBehind) {
    auto cycle = [] {
        int handle = VoxLoad(kTone.c_str());
        ASSERT_GE(handle, 1);
        ASSERT_EQ(VoxPlay(handle), 1);
        ASSERT_NE(VoxRelease(handle), 0);
    };
    for (int i = 0; i < 20; ++i) {  // lets the system's audio handles and caches settle
        cycle();
    }
    const HANDLE handle = nextHandleValue();
    const size_t memory = committedBytes();

    for (int i = 0; i < 2000; ++i) {
        cycle();
    }
    EXPECT_EQ(threadsOfTheLibrary(), 0);
    EXPECT_EQ(nextHandleValue(), handle);
    // A leaked sound would hold its 44 kB of PCM: 2000 of them, 88 MB.
    EXPECT_LT(committedBytes(), memory + (8u << 20));
}

}  // namespace
