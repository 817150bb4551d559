#pragma once

// Vox.dll: plays Ogg Vorbis files through the wave output device.
//
// A program loads a file into a sound, plays it, and releases it. Sounds are
// named by handles from 1 to 254; 0 and 255 never name a sound, so a caller
// may keep a handle in 8 bits and may pass 0 ("nothing loaded yet") or 255
// (the low 8 bits of VoxLoad's failure result) wherever a handle is taken.
// Every function may be called from any thread; each sound plays on a thread
// of its own inside the library, which ends when the sound is released or
// has played to its end. No call waits for another call: while one thread's
// play waits on a slow file or device, every call on other sounds, and
// status and release calls on the same sound, answer at once. Only stopping
// a playing sound waits, for that sound's own thread (VoxPlay of a sound
// that plays, VoxRelease, VoxDelete).
//
// Loading reads only a file's headers; the sound's thread decodes the file
// while it plays, a few tenths of a second ahead of the device, so neither the
// time of a load nor the memory of a playing sound grows with the file's
// length. A loaded sound holds its path, not the file: each play opens the
// file anew. Release every sound (or call VoxDelete), and let every call
// return, before unloading the library with FreeLibrary.
//
// Files play as far as they can be decoded: a damaged page is skipped and
// the sound goes on after it, bytes after the last page are ignored, and the
// sound ends where the data ends, with or without an end-of-stream flag.
// Chained streams of the first stream's channel count and rate play one
// after another; the sound ends where a stream of another format begins.

#ifdef __cplusplus
extern "C" {
#endif

// Loads the Ogg Vorbis file at `path` (a NUL-terminated code page 932 path):
// reads its headers and returns. Returns the handle of the new sound, or -1
// when the file cannot be opened or read, is not Ogg Vorbis, ends inside its
// three header packets, has more than two channels or a rate above 192 kHz,
// when memory runs out, or when 254 sounds are already loaded.
int __stdcall VoxLoad(const char* path);

// Starts playing a loaded sound from its beginning and returns once the wave
// output device has taken the first tenth of a second; a sound that is still
// playing starts over. Returns 1 when playback started (or, for a sound
// without samples, has ended already), 0 when `handle` names no sound, when
// the file can no longer be opened or read as it was at its load, or when
// the device cannot be opened for the sound's format or refuses its first
// block.
// Plays of one sound may overlap on several threads: the one begun last
// decides what plays, and one it overtakes before reaching the device
// returns 1 without playing. A play during which the sound is released (or
// VoxDelete called) returns 0, leaving nothing playing or open.
int __stdcall VoxPlay(int handle);

// Returns 1 while the sound plays, 0 when it is loaded but silent (not yet
// played, played to its end, or a play of it still preparing), and -1 when
// `handle` names no sound.
int __stdcall VoxGetStatus(int handle);

// Stops the sound at once if it plays, waits until its thread has ended and
// the device and the file are closed, and frees it. A handle that names no
// sound (0, 255, one never given out or already released) is accepted and
// left alone. Returns 1; it cannot fail.
// A play of the sound in progress on another thread is not waited for: the
// handle names no sound from here on and may be given out again, and that
// play returns 0 once its file and device have answered, closing them.
int __stdcall VoxRelease(int handle);

// Ends the use of the library: stops and frees every sound it holds, `handle`
// among them. Returns 1. The library may be used again afterwards.
int __stdcall VoxDelete(int handle);

#ifdef __cplusplus
}
#endif
