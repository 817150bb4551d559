#pragma once

#include <windows.h>

#include <cstdint>

// The font faces the main dialog offers: every face of the Shift-JIS
// character set that the system reports, in its order, without the
// vertical-writing faces whose names begin with "@". Filled once when the
// dialog opens and kept until it closes.
namespace FaceNames {

constexpr int32_t kMaxFaceNames = 65536;
constexpr int32_t kFaceNameBytes = 64;  // a face name has at most 31 bytes

// Enumerates the faces known to `dc` into the table, replacing what it held.
// Returns false when no memory for the table is granted (it is then empty).
bool load(HDC dc);

// Gives the table's memory back; the table is empty afterwards.
void release();

int32_t count();

// The name at `index` (0 .. count() - 1).
const char* at(int32_t index);

}  // namespace FaceNames
