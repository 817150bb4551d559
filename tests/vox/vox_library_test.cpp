// Vox.dll through its exports, as the browser links it. Playback goes to the
// ALSA file sink that the test's environment names (see CMakeLists.txt), so
// that the samples that reach the "sound card" can be read back.

#include "vox/vox.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "tests/gui_driver/gui_driver.h"
#include "tests/gui_driver/sound_sink.h"
#include "tests/test_files/test_files.h"
#include "tests/vox/decoded_sound.h"
#include "tests/vox/ogg_page_editing.h"
#include "win32/owners.h"

namespace {

using Bytes = std::vector<unsigned char>;

const std::string kTone = std::string(VOX_TEST_DATA) + "/tone-stereo.ogg";          // 0.25 s
const std::string kLong = std::string(VOX_TEST_DATA) + "/long-mono.ogg";            // 8 s
const std::string kPaged = std::string(VOX_TEST_SOUNDS) + "/paged-stereo.ogg";      // 3 s, six audio pages
const std::string kLongStereo = std::string(VOX_TEST_SOUNDS) + "/long-stereo.ogg";  // 3 min

constexpr size_t kStereoBytesPerSecond = 44100 * 4;

Bytes decodedPcm(const Bytes& file, size_t maxBytes = SIZE_MAX) {
    std::optional<DecodedSound> sound = decodeWhole(file, maxBytes);
    return sound ? sound->pcm : Bytes{};
}

// The samples of the latest stream that reached the sound card.
Bytes sink() {
    std::vector<Bytes> streams = soundStreams(VOX_TEST_SINK);
    return streams.empty() ? Bytes{} : streams.back();
}

size_t streamCount() {
    return soundStreamSizes(VOX_TEST_SINK).size();
}

// True when the stereo samples `played` begin with `expected`, silence that
// Wine has filled in aside.
bool playedFirst(const Bytes& played, const Bytes& expected) {
    const Bytes heard = withoutSilence(played, 2);
    const Bytes wanted = withoutSilence(expected, 2);
    return heard.size() >= wanted.size() && std::equal(wanted.begin(), wanted.end(), heard.begin());
}

// Threads of this process that started inside Vox.dll. The system's own
// audio threads come and go as they please, so only these are counted.
int threadsOfTheLibrary() {
    HMODULE library = GetModuleHandleA("Vox.dll");
    MODULEINFO image = {};
    GetModuleInformation(GetCurrentProcess(), library, &image, sizeof image);
    auto* imageStart = static_cast<char*>(image.lpBaseOfDll);

    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId()) {
            continue;
        }
        const KernelHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
        char* startAddress = nullptr;
        if (thread &&
            NtQueryInformationThread(thread.get(), ThreadQuerySetWin32StartAddress, &startAddress,
                                     sizeof startAddress, nullptr) == 0 &&
            startAddress >= imageStart && startAddress < imageStart + image.SizeOfImage) {
            ++count;
        }
    }
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
    KernelHandle probe(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    const HANDLE value = probe.get();
    probe.reset();
    return value;
}

bool waitForStatus(int handle, int status) {
    return eventually([&] { return VoxGetStatus(handle) == status; });
}

// A new thread shows its start address once it runs.
bool libraryThreadsBecome(int count) {
    return eventually([&] { return threadsOfTheLibrary() == count; }, 1000);
}

// One reading of a file that stalls as a slow disk or network share would: a
// named pipe ("\\.\pipe\...", opened with CreateFileA like any file) into
// which the test writes the file's bytes when it chooses, while the reader
// waits in its read. Made before the reader opens the path. (Under Wine 8 a
// Unix FIFO reads as ended while no writer has it open: it holds no one up.)
class HeldReading {
public:
    HeldReading(const std::string& path, Bytes bytes) : bytes_(std::move(bytes)) {
        // The buffer takes the whole file, so that no write waits for the
        // reader; PIPE_NOWAIT lets the test ask whether the reader has come.
        pipe_.reset(CreateNamedPipeA(path.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT,
                                     PIPE_UNLIMITED_INSTANCES, static_cast<DWORD>(bytes_.size()), 0, 0,
                                     nullptr));
    }
    ~HeldReading() { giveRest(); }  // so that a failing test still ends

    // Waits until the reader has opened the file, then gives it the bytes up
    // to `end`; false when no reader came within seconds.
    bool giveUpTo(size_t end) {
        const bool opened = eventually([this] {
            return !ConnectNamedPipe(pipe_.get(), nullptr) && GetLastError() == ERROR_PIPE_CONNECTED;
        });
        DWORD written = 0;
        if (opened && end > given_) {
            WriteFile(pipe_.get(), bytes_.data() + given_, static_cast<DWORD>(end - given_), &written,
                      nullptr);
            given_ = end;
        }
        return opened;
    }
    // Gives the rest of the file, then its end: what was written stays
    // readable after the pipe closes.
    void giveRest() {
        if (pipe_) giveUpTo(bytes_.size());
        pipe_.reset();
    }

private:
    const Bytes bytes_;
    size_t given_ = 0;
    KernelHandle pipe_;
};

const std::string kHeldPath = "\\\\.\\pipe\\vox-held-" + std::to_string(GetCurrentProcessId());

// Bytes up to the first audio page: the identification page, then the
// comments and the setup.
size_t headerBytes(const Bytes& file) {
    return pageOffsets(file)[2];
}

int loadHeld(const Bytes& bytes) {
    HeldReading reading(kHeldPath, bytes);
    std::future<int> load = std::async(std::launch::async, VoxLoad, kHeldPath.c_str());
    reading.giveRest();
    return load.get();
}

// Waits for a call made on a thread of its own while `held` holds a play up,
// far longer than any busy machine needs: its result when it came, nothing
// when the call waited for the held reading, which is then given whole so
// that a failing test still ends.
std::optional<int> answerWhileHeld(HeldReading& held, std::future<int> answer) {
    if (answer.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return answer.get();
    held.giveRest();
    answer.wait();
    return std::nullopt;
}

class VoxLibrary : public testing::Test {
protected:
    void SetUp() override { clearSoundStreams(VOX_TEST_SINK); }
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

// The decoder's own tests try every kind of refusal; these are the ones a
// user meets, through the library's file reading.
TEST_F(VoxLibrary, LoadRefusesMissingForeignAndHeaderlessFiles) {
    const Bytes tone = readFileBytes(kTone);
    writeFileBytes("headers-cut.ogg", Bytes(tone.begin(), tone.begin() + 100));
    writeFileBytes("not-ogg.ogg", std::string("RIFF\x24\0\0\0WAVEfmt ", 16));

    EXPECT_EQ(VoxLoad("no such file.ogg"), -1);
    EXPECT_EQ(VoxLoad("headers-cut.ogg"), -1);
    EXPECT_EQ(VoxLoad("not-ogg.ogg"), -1);
    EXPECT_EQ(VoxLoad((std::string(VOX_TEST_DATA) + "/three-channels.ogg").c_str()), -1);
    EXPECT_EQ(VoxLoad("."), -1);  // a folder
    EXPECT_EQ(VoxLoad(nullptr), -1);
}

TEST_F(VoxLibrary, PlayFailsWhenTheFileHasGoneSinceItsLoad) {
    writeFileBytes("going.ogg", readFileBytes(kTone));
    const int handle = VoxLoad("going.ogg");
    ASSERT_GE(handle, 1);
    ASSERT_TRUE(DeleteFileA("going.ogg"));
    EXPECT_EQ(VoxPlay(handle), 0);
    EXPECT_EQ(VoxGetStatus(handle), 0);
    EXPECT_EQ(threadsOfTheLibrary(), 0);
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

TEST_F(VoxLibrary, PlayReturnsAtOnceAndReleaseStopsThePlayingSoundAtOnce) {
    int handle = VoxLoad(kLongStereo.c_str());
    ASSERT_GE(handle, 1);

    // The sound lasts minutes: "at once" is anything far shorter, with room
    // for a machine that is busy with other work.
    const DWORD kFarShorterThanTheSound = 10000;
    DWORD start = GetTickCount();
    EXPECT_EQ(VoxPlay(handle), 1);
    EXPECT_LT(GetTickCount() - start, kFarShorterThanTheSound);
    EXPECT_EQ(VoxGetStatus(handle), 1);
    EXPECT_TRUE(libraryThreadsBecome(1));
    ASSERT_TRUE(eventually([] { return sink().size() > kStereoBytesPerSecond; }));

    start = GetTickCount();
    EXPECT_NE(VoxRelease(handle), 0);
    EXPECT_LT(GetTickCount() - start, kFarShorterThanTheSound);
    EXPECT_EQ(VoxGetStatus(handle), -1);
    EXPECT_EQ(threadsOfTheLibrary(), 0);
    const size_t played = sink().size();
    Sleep(300);
    EXPECT_EQ(sink().size(), played);
}

TEST_F(VoxLibrary, SoundPlayedToItsEndStaysLoadedAndPlaysAgain) {
    int handle = VoxLoad(kTone.c_str());
    ASSERT_EQ(VoxPlay(handle), 1);
    ASSERT_TRUE(waitForStatus(handle, 0));
    EXPECT_EQ(VoxPlay(handle), 1);
    EXPECT_EQ(VoxGetStatus(handle), 1);
}

TEST_F(VoxLibrary, PlayingAgainStartsOverFromTheFirstSample) {
    const Bytes opening = decodedPcm(readFileBytes(kLongStereo), kStereoBytesPerSecond);
    int handle = VoxLoad(kLongStereo.c_str());
    ASSERT_EQ(VoxPlay(handle), 1);
    ASSERT_TRUE(eventually([] { return sink().size() > 2 * kStereoBytesPerSecond; }));
    EXPECT_EQ(VoxPlay(handle), 1);
    EXPECT_EQ(VoxGetStatus(handle), 1);
    EXPECT_TRUE(libraryThreadsBecome(1));  // the first playback's thread has ended
    ASSERT_TRUE(eventually([&] { return streamCount() == 2 && sink().size() >= opening.size(); }));
    EXPECT_TRUE(playedFirst(sink(), opening));
}

// Decoding goes on while the sound plays: what reaches the sound card must
// still be the whole file's samples, in order, none lost or repeated.
TEST_F(VoxLibrary, TheFirstSecondsOfALongFileReachTheSoundCardUnchanged) {
    constexpr size_t kSeconds = 5;
    const Bytes expected = decodedPcm(readFileBytes(kLongStereo), kSeconds * kStereoBytesPerSecond);
    int handle = VoxLoad(kLongStereo.c_str());
    ASSERT_EQ(VoxPlay(handle), 1);
    ASSERT_TRUE(eventually([&] { return sink().size() >= expected.size(); }, 20000));
    VoxRelease(handle);
    EXPECT_TRUE(playedFirst(sink(), expected));
}

// Files as other tools leave them play to their end, with exactly the
// samples the decoder makes of them.
TEST_F(VoxLibrary, DamagedTaggedAndUnendedFilesPlayTheirDecodedSamples) {
    const Bytes tone = readFileBytes(kTone);
    const Bytes intact = readFileBytes(kPaged);
    Bytes tagged = intact;
    tagged.insert(tagged.end(), {'T', 'A', 'G', ':', 'x', 'y', 'z'});
    Bytes unended = intact;
    editPages(unended, [](ogg_page& page) { page.header[5] &= ~0x04; });  // the end-of-stream flag
    Bytes damaged = intact;
    damaged[damaged.size() / 2] ^= 0x5A;
    Bytes chained = intact;
    Bytes second = readFileBytes(kPaged);
    setSerialNumber(second, 2);
    chained.insert(chained.end(), second.begin(), second.end());
    const struct {
        const char* name;
        const Bytes& bytes;
    } files[] = {
        {"tone.ogg", tone},       {"tagged.ogg", tagged},   {"unended.ogg", unended},
        {"damaged.ogg", damaged}, {"chained.ogg", chained},
    };
    for (const auto& file : files) {
        writeFileBytes(file.name, file.bytes);
        const int handle = VoxLoad(file.name);
        ASSERT_GE(handle, 1) << file.name;
        ASSERT_EQ(VoxPlay(handle), 1) << file.name;
        ASSERT_TRUE(waitForStatus(handle, 0)) << file.name;
        const Bytes expected = decodedPcm(file.bytes);
        EXPECT_TRUE(eventually([&] { return withoutSilence(sink(), 2) == withoutSilence(expected, 2); }))
            << file.name;
        VoxRelease(handle);
    }
}

// A play that waits on its file, in its headers or in its first block (with
// the device open), holds up no call but itself.
TEST_F(VoxLibrary, CallsAnswerWhileAPlayWaitsOnItsFile) {
    const Bytes held = readFileBytes(kLongStereo);
    for (size_t heldAfter : {size_t{0}, headerBytes(held)}) {
        SCOPED_TRACE(heldAfter);
        const int waiting = loadHeld(held);
        const int playing = VoxLoad(kLongStereo.c_str());
        const int other = VoxLoad(kTone.c_str());
        ASSERT_EQ(VoxPlay(playing), 1);
        HeldReading reading(kHeldPath, held);
        std::future<int> play = std::async(std::launch::async, VoxPlay, waiting);
        ASSERT_TRUE(reading.giveUpTo(heldAfter));

        const struct {
            const char* call;
            std::function<int()> make;
            int answer;
        } calls[] = {
            {"status of another sound", [&] { return VoxGetStatus(playing); }, 1},
            {"status of the waiting sound", [&] { return VoxGetStatus(waiting); }, 0},
            {"release of another sound", [&] { return VoxRelease(playing); }, 1},
            {"play of another sound", [&] { return VoxPlay(other); }, 1},
        };
        for (const auto& call : calls) {
            EXPECT_EQ(answerWhileHeld(reading, std::async(std::launch::async, call.make)), call.answer)
                << call.call;
        }
        reading.giveRest();
        EXPECT_EQ(play.get(), 1);
        VoxDelete(0);
    }
}

TEST_F(VoxLibrary, ReleasingASoundWhosePlayWaitsOnItsFileEndsThatPlayUnheard) {
    const Bytes held = readFileBytes(kLongStereo);
    for (int(__stdcall * release)(int) : {VoxRelease, VoxDelete}) {
        SCOPED_TRACE(release == VoxRelease ? "VoxRelease" : "VoxDelete");
        const int waiting = loadHeld(held);
        HeldReading reading(kHeldPath, held);
        std::future<int> play = std::async(std::launch::async, VoxPlay, waiting);
        ASSERT_TRUE(reading.giveUpTo(headerBytes(held)));

        EXPECT_EQ(answerWhileHeld(reading, std::async(std::launch::async, release, waiting)), 1);
        EXPECT_EQ(VoxGetStatus(waiting), -1);
        const int successor = VoxLoad(kTone.c_str());
        EXPECT_EQ(successor, waiting);  // the handle is free again
        reading.giveRest();
        EXPECT_EQ(play.get(), 0);
        EXPECT_EQ(VoxGetStatus(successor), 0);  // the late play left the new sound alone
        EXPECT_EQ(threadsOfTheLibrary(), 0);
        EXPECT_TRUE(withoutSilence(sink(), 2).empty());
        VoxDelete(0);
    }
}

TEST_F(VoxLibrary, OfTwoPlaysOfOneSoundTheLaterNeedNotWaitAndDecides) {
    const Bytes held = readFileBytes(kLongStereo);
    const int sound = loadHeld(held);
    HeldReading earlierReading(kHeldPath, held);
    std::future<int> earlier = std::async(std::launch::async, VoxPlay, sound);
    ASSERT_TRUE(earlierReading.giveUpTo(headerBytes(held)));

    HeldReading laterReading(kHeldPath, held);
    std::future<int> later = std::async(std::launch::async, VoxPlay, sound);
    laterReading.giveRest();
    EXPECT_EQ(answerWhileHeld(earlierReading, std::move(later)), 1);
    earlierReading.giveRest();
    EXPECT_EQ(earlier.get(), 1);  // overtaken, which is no failure
    EXPECT_EQ(threadsOfTheLibrary(), 1);
    EXPECT_EQ(VoxGetStatus(sound), 1);
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
