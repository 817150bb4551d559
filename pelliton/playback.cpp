#include "pelliton/playback.h"

#include <mmsystem.h>

#include "pelliton/browser_state.h"
#include "pelliton/resource.h"
#include "pelliton/sound_search.h"
#include "vox/vox.h"

namespace {

constexpr DWORD kPauseBeforePlayMs = 100;

MCIERROR SendToDevice(MCIDEVICEID device, UINT command) {
    MCI_GENERIC_PARMS generic = {};
    return mciSendCommandA(device, command, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&generic));
}

bool DeviceIsPlaying(MCIDEVICEID device) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    return mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                           reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
           status.dwReturn == MCI_MODE_PLAY;
}

// Once the device is closed, every completion notice still queued is about
// it: only one device is ever open. Such a notice must not reach
// OnMciNotify, because MCI gives the next device the freed id: a short sound
// that ends during the next request's pause would otherwise close the sound
// that request starts.
void DiscardNoticesOfClosedDevice() {
    MSG notice;
    while (PeekMessageA(&notice, browser.mainWindow, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
    }
}

// The MCI drivers stay loaded for the life of the program. Wine's drivers
// play a notifying MCI_PLAY on a thread of their own, which may still be
// on its way out when MCI_CLOSE has returned and unloaded the driver; the
// thread then runs into unmapped code and the whole program crashes.
void KeepMciDriversLoaded() {
    for (const char* driver : {"mciwave.dll", "mciqtz32.dll", "mciseq.dll"}) {
        HMODULE module;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, driver, &module);
    }
}

void PlayThroughVox() {
    const int loaded = VoxLoad(browser.selectedPath);
    browser.voxHandle = static_cast<uint8_t>(loaded);
    if (static_cast<int16_t>(loaded) == -1) {
        WarnUser("サウンドドライバの初期化に失敗しました。");
        return;
    }
    if (static_cast<uint8_t>(VoxPlay(browser.voxHandle)) == 0) {
        WarnUser("OggVorbisの再生に失敗しました。");
    }
}

void PlayThroughMci() {
    // The element alone, no device type: the system picks the device by the
    // file's extension.
    browser.mciOpen.lpstrElementName = browser.selectedPath;
    browser.mciOpen.dwCallback = reinterpret_cast<DWORD_PTR>(browser.mainWindow);
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&browser.mciOpen)) != 0) {
        WarnUser("デバイスのオープンに失敗しました。");
        return;
    }
    KeepMciDriversLoaded();
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(browser.mainWindow);
    if (mciSendCommandA(browser.mciOpen.wDeviceID, MCI_PLAY, MCI_NOTIFY,
                        reinterpret_cast<DWORD_PTR>(&play)) != 0) {
        WarnUser("デバイスの再生に失敗しました。");  // the device stays open until the next stop
    }
}

}  // namespace

void RequestPlay() {
    if (!ResolveSelection()) {
        return;
    }
    Sleep(kPauseBeforePlayMs);
    PlaySelection();
}

bool SilenceForSelection() {
    browser.selectionIndex =
        static_cast<int32_t>(SendDlgItemMessageA(browser.mainWindow, ID_FILELIST, LB_GETCURSEL, 0, 0));
    if (browser.selectionIndex == LB_ERR) {
        return false;
    }
    if (browser.mciOpen.wDeviceID != 0) {
        StopDevice();
    }
    VoxRelease(browser.voxHandle);  // stops an Ogg Vorbis sound that still plays
    return true;
}

void PlaySelection() {
    if (!SilenceForSelection()) {
        return;
    }
    if (browser.soundType == SoundType::Ogg) {
        PlayThroughVox();
    } else {
        PlayThroughMci();
    }
}

void StopDevice() {
    if (browser.soundType == SoundType::Ogg && static_cast<int16_t>(VoxGetStatus(browser.voxHandle)) >= 0 &&
        static_cast<uint8_t>(VoxRelease(browser.voxHandle)) == 0) {
        WarnUser("OggVorbisの停止に失敗しました。");
    }
    // A device that will not stop is closed all the same: its id is the
    // program's only record of it, and the next open overwrites that id.
    const bool stopped = SendToDevice(browser.mciOpen.wDeviceID, MCI_STOP) == 0;
    SendToDevice(browser.mciOpen.wDeviceID, MCI_CLOSE);
    browser.mciOpen.wDeviceID = 0;
    DiscardNoticesOfClosedDevice();
    if (!stopped) {
        WarnUser("デバイスの停止に失敗しました。");
    }
}

void OnMciNotify(WPARAM code, LPARAM deviceId) {
    // Only a notice that names the open device closes it. Some devices
    // report the end with another id (MP3 under Wine sends 0); forgetting
    // the device then would leave it open for good, while keeping it leaves
    // it to the next stop.
    if (code != MCI_NOTIFY_SUCCESSFUL || browser.mciOpen.wDeviceID == 0 ||
        static_cast<MCIDEVICEID>(deviceId) != browser.mciOpen.wDeviceID) {
        return;
    }
    // MCI gives a new device the id of the one closed before it, so a notice
    // that arrives late may name the device that plays now: that one has
    // not ended, whatever the notice says.
    if (DeviceIsPlaying(browser.mciOpen.wDeviceID)) {
        return;
    }
    SendToDevice(browser.mciOpen.wDeviceID, MCI_CLOSE);
    browser.mciOpen.wDeviceID = 0;
}

void CloseDeviceAtExit() {
    if (browser.mciOpen.wDeviceID != 0) {
        SendToDevice(browser.mciOpen.wDeviceID, MCI_STOP);
        SendToDevice(browser.mciOpen.wDeviceID, MCI_CLOSE);
        browser.mciOpen.wDeviceID = 0;
    }
}
