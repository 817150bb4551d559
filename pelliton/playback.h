#pragma once

#include <windows.h>

// Plays the selected file: WAV, MP3 and MIDI through the Media Control
// Interface, Ogg Vorbis through Vox.dll. One sound at a time: each request
// first stops what plays.

// Resolves the list selection, pauses 100 ms and plays it (selection in the
// list, button ♪, menu ♪(&P)). A path too long to use ends the request.
void RequestPlay();

// Plays `browser.selectedPath` as `browser.soundType` says, after stopping
// the open MCI device and releasing the current Vox sound. Does nothing when
// the list has no selection.
void PlaySelection();

// Reads the list selection into `browser.selectionIndex`. When there is
// one, stops the open MCI device and releases the current Vox sound, and
// returns true; with no selection returns false and touches nothing.
bool SilenceForSelection();

// Stops and closes the open MCI device (called only while one is open). If
// the stop fails, the user is told, and the device is closed all the same.
void StopDevice();

// MM_MCINOTIFY: the open device, once it has played to its end, is closed;
// a notice about any other device, or one that comes while the open device
// still plays, changes nothing.
void OnMciNotify(WPARAM code, LPARAM deviceId);

// Stops and closes an MCI device still open when the window goes, without
// telling anyone: the window is already on its way out.
void CloseDeviceAtExit();
