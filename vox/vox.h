#pragma once

// Vox.dll: plays Ogg Vorbis files through the wave output device.
//
// A program loads a file into a sound, plays it, and releases it. Sounds are
// named by handles from 1 to 254; 0 and 255 never name a sound, so a caller
// may keep a handle in 8 bits and may pass 0 ("nothing loaded yet") or 255
// (the low 8 bits of VoxLoad's failure result) wherever a handle is taken.
// Every function may be called from any thread; each sound plays on a thread
// of its own inside the library, which ends when the sound is released or
// has played to its end.
//
// The library decodes a whole file when it is loaded, so a damaged file is
// refused at once and playback never waits for the decoder. Release every
// sound (or call VoxDelete) before unloading the library with FreeLibrary.

#ifdef __cplusplus
extern "C" {
#endif

// Loads the Ogg Vorbis file at `path` (a NUL-terminated code page 932 path).
// Returns the handle of the new sound, or -1 when the file cannot be read, is
// damaged or truncated, is not Ogg Vorbis, has more than two channels or a
// rate above 192 kHz, changes its format midway, is larger than 256 MB or
// decodes to more than 512 MB, when memory runs out, or when 254 sounds are
// already loaded.
int __stdcall VoxLoad(const char* path);

// Starts playing a loaded sound from its beginning and returns at once; a
// sound that is still playing starts over. Returns 1 when playback started,
// 0 when `handle` names no sound or the wave output device cannot be opened.
int __stdcall VoxPlay(int handle);

// Returns 1 while the sound plays, 0 when it is loaded but silent (not yet
// played, or played to its end), and -1 when `handle` names no sound.
int __stdcall VoxGetStatus(int handle);

// Stops the sound if it plays, waits until its thread has ended, and frees
// it. A handle that names no sound (0, 255, one never given out or already
// released) is accepted and left alone. Returns 1; it cannot fail.
int __stdcall VoxRelease(int handle);

// Ends the use of the library: stops and frees every sound it holds, `handle`
// among them. Returns 1. The library may be used again afterwards.
int __stdcall VoxDelete(int handle);

#ifdef __cplusplus
}
#endif
