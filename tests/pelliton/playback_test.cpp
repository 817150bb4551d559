// Playback as the user starts it: WAV, MP3 and MIDI through MCI, Ogg Vorbis
// through Vox.dll, one sound at a time. What reaches the sound card is read
// back from the test's sink; an open MCI device shows as its file being held
// open.

#include <windows.h>

#include <gtest/gtest.h>

#include "pelliton/resource.h"
#include "tests/pelliton/browser_driver.h"
#include "tests/vox/decoded_sound.h"

namespace {

const std::string kOggFolder = VOX_TEST_DATA;

Bytes decodedOgg(const std::string& path) {
    return decodeWhole(readFileBytes(path))->pcm;
}

bool streamStarted(const Browser& browser, size_t stream) {
    return eventually([&] {
        std::vector<size_t> sizes = browser.streamSizes();
        return sizes.size() > stream && sizes[stream] > 0;
    });
}

// True once the browser has opened one stream, and it holds the stereo
// samples `expected`, silence that Wine fills in when the device runs dry
// aside.
bool playedOnly(const Browser& browser, const Bytes& expected) {
    return eventually([&] {
        std::vector<Bytes> streams = browser.streams();
        return streams.size() == 1 && withoutSilence(streams[0], 2) == withoutSilence(expected, 2);
    });
}

// Waits for the browser's message box, checks that it is the warning `text`
// and presses OK.
void expectWarning(Browser& browser, const char* text) {
    std::optional<ShownBox> box = browser.answerBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Pelliton");
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->icon, BoxIcon::Warning);
}

// True while the MCI device of `file` is open and its stream `stream` grows.
bool stillPlays(const Browser& browser, const std::string& file, size_t stream) {
    if (!fileIsHeldOpen(file)) {
        return false;
    }
    const size_t soFar = browser.streamSizes().at(stream);
    return eventually([&] { return browser.streamSizes().at(stream) > soFar; });
}

bool startsWith(const Bytes& bytes, const Bytes& prefix, size_t length) {
    return bytes.size() >= length && prefix.size() >= length &&
           std::equal(prefix.begin(), prefix.begin() + length, bytes.begin());
}

class Playback : public testing::Test {
protected:
    Playback() {
        shortWav = folders.addFile("sounds\\short.wav", makeWav(0.3));
        longWav = folders.addFile("sounds\\long.wav", makeWav(20));
        tinyWav = folders.addFile("sounds\\tiny.wav", makeWav(0.05));
        folders.addFile("sounds\\tone.ogg", readFileBytes(kOggFolder + "\\tone-stereo.ogg"));
        folders.addFile("sounds\\long.ogg", readFileBytes(kOggFolder + "\\long-mono.ogg"));
        Bytes cut = readFileBytes(kOggFolder + "\\tone-stereo.ogg");
        cut.resize(100);  // inside the header packets
        folders.addFile("sounds\\cut.ogg", cut);
        folders.addFile("sounds\\beep.mp3", readFileBytes(std::string(PELLITON_TEST_DATA) + "\\beep.mp3"));
        // One note, a quarter long: MCI opens and "plays" it, though this
        // machine has no MIDI output and never reports its end.
        midi = folders.addFile(
            "sounds\\note.mid",
            {'M', 'T', 'h', 'd', 0,  0, 0,    6,    0,    0,    0,    1,    0,    0x60, 'M',  'T',  'r',
             'k', 0,   0,   0,   12, 0, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x40, 0,    0xFF, 0x2F, 0});
    }

    TestFolders folders;
    std::string shortWav, longWav, tinyWav, midi;
};

TEST_F(Playback, SelectingAWavFilePlaysAllOfItThroughMciAndItsEndClosesTheDevice) {
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("short.wav"));
    EXPECT_TRUE(fileIsHeldOpen(shortWav));
    EXPECT_TRUE(
        eventually([&] { return browser.streams() == std::vector<Bytes>{samplesOfWav(makeWav(0.3))}; }));
    EXPECT_TRUE(eventually([&] { return !fileIsHeldOpen(shortWav); }));
    EXPECT_TRUE(browser.openBoxes().empty());
}

TEST_F(Playback, SelectingAnOggVorbisFilePlaysItsDecodedSamplesThroughVox) {
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("tone.ogg"));
    Bytes expected = decodedOgg(kOggFolder + "\\tone-stereo.ogg");
    EXPECT_TRUE(playedOnly(browser, expected));
    EXPECT_TRUE(browser.openBoxes().empty());
}

TEST_F(Playback, PlayWhileAWavPlaysStopsItAndStartsItAgainFromTheBeginning) {
    const Bytes samples = samplesOfWav(makeWav(20));
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("long.wav"));
    ASSERT_TRUE(streamStarted(browser, 0));

    ASSERT_TRUE(browser.click(ID_PLAY));
    ASSERT_TRUE(streamStarted(browser, 1));
    EXPECT_LT(browser.finalStreamSize(0), samples.size());
    EXPECT_TRUE(startsWith(browser.streams()[1], samples, 4096));
    EXPECT_TRUE(fileIsHeldOpen(longWav));

    ASSERT_TRUE(browser.choose(IDM_PLAY));  // the menu item does the same
    ASSERT_TRUE(streamStarted(browser, 2));
    EXPECT_LT(browser.finalStreamSize(1), samples.size());
}

TEST_F(Playback, SelectingOggVorbisWhileMidiPlaysClosesTheMidiDeviceFirst) {
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("note.mid"));
    EXPECT_TRUE(fileIsHeldOpen(midi));

    ASSERT_TRUE(browser.selectFile("tone.ogg"));
    EXPECT_FALSE(fileIsHeldOpen(midi));
    Bytes expected = decodedOgg(kOggFolder + "\\tone-stereo.ogg");
    EXPECT_TRUE(playedOnly(browser, expected));
    EXPECT_TRUE(browser.openBoxes().empty());
}

TEST_F(Playback, SelectingAWavWhileOggVorbisPlaysReleasesTheOggVorbisSound) {
    const Bytes ogg = decodedOgg(kOggFolder + "\\long-mono.ogg");
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("long.ogg"));
    ASSERT_TRUE(streamStarted(browser, 0));

    ASSERT_TRUE(browser.selectFile("short.wav"));
    EXPECT_LT(browser.finalStreamSize(0), ogg.size());
    EXPECT_TRUE(eventually([&] { return browser.streams().at(1) == samplesOfWav(makeWav(0.3)); }));
}

TEST_F(Playback, OggVorbisFileCutInItsHeadersWarnsAndPlaysNothingAndTheNextOnePlays) {
    Browser browser(folders);
    browser.selectFileAndLeave("cut.ogg");
    expectWarning(browser, "サウンドドライバの初期化に失敗しました。");
    EXPECT_EQ(browser.streamCount(), 0u);

    ASSERT_TRUE(browser.selectFile("tone.ogg"));
    EXPECT_TRUE(streamStarted(browser, 0));
    EXPECT_TRUE(browser.openBoxes().empty());
}

TEST_F(Playback, PlayWithNothingSelectedDoesNothing) {
    Browser browser(folders);
    ASSERT_TRUE(browser.click(ID_PLAY));
    ASSERT_TRUE(browser.choose(IDM_PLAY));
    EXPECT_TRUE(browser.openBoxes().empty());
    Sleep(300);
    EXPECT_EQ(browser.streamCount(), 0u);
}

// The tiny sound ends during the 100 ms pause before the long one starts;
// its completion notice, still queued, must not close the long one's device
// (MCI hands the long one the same device id).
TEST_F(Playback, ASoundThatEndsWhileTheNextRequestPausesLeavesTheNextSoundPlaying) {
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("tiny.wav"));
    ASSERT_TRUE(browser.selectFile("long.wav"));
    ASSERT_TRUE(streamStarted(browser, 1));
    Sleep(500);
    EXPECT_TRUE(stillPlays(browser, longWav, 1));
}

// MCI gives a new device the id of the one closed before it, so a late end
// notice of a closed device names the device that plays now, whichever id
// that is.
TEST_F(Playback, ALateEndNoticeLeavesTheDeviceThatPlaysNowPlaying) {
    Browser browser(folders);
    ASSERT_TRUE(browser.selectFile("long.wav"));
    ASSERT_TRUE(streamStarted(browser, 0));
    for (LPARAM device = 1; device <= 8; ++device) {
        PostMessageA(browser.window(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, device);
    }
    ASSERT_TRUE(browser.settle());
    EXPECT_TRUE(stillPlays(browser, longWav, 0));
}

// MP3 under Wine reports its end with device id 0, not its own: the device
// must stay known, so that the next request still closes it.
TEST_F(Playback, Mp3PlaysThroughMciAndItsDeviceIsClosedByTheNextRequest) {
    Browser browser(folders);
    const std::string mp3 = folders.start() + "\\sounds\\beep.mp3";
    ASSERT_TRUE(browser.selectFile("beep.mp3"));
    EXPECT_TRUE(fileIsHeldOpen(mp3));
    ASSERT_TRUE(streamStarted(browser, 0));
    browser.finalStreamSize(0);  // played to its end
    Sleep(300);
    ASSERT_TRUE(browser.settle());  // its completion notice handled

    ASSERT_TRUE(browser.selectFile("tone.ogg"));
    EXPECT_FALSE(fileIsHeldOpen(mp3));
    EXPECT_TRUE(browser.openBoxes().empty());
}

// Run where the sound card has no device (see CMakeLists.txt): the wave
// device cannot be opened, so Vox.dll cannot start the sound.
TEST(WithoutASoundCard, AnOggVorbisSoundThatCannotStartIsReported) {
    TestFolders folders;
    folders.addFile("sounds\\tone.ogg", readFileBytes(kOggFolder + "\\tone-stereo.ogg"));
    Browser browser(folders);
    browser.selectFileAndLeave("tone.ogg");
    expectWarning(browser, "OggVorbisの再生に失敗しました。");
}

}  // namespace
