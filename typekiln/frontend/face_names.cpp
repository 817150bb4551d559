#include "frontend/face_names.h"

#include <cstring>

#include "engine/shift_jis.h"
#include "platform/page_memory.h"

namespace {

using FaceName = char[FaceNames::kFaceNameBytes];

PageBlock<FaceName> names;
int32_t nameCount = 0;

int CALLBACK addFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM) {
    if (nameCount >= FaceNames::kMaxFaceNames) return 0;  // the table is full: stop
    const char* face = font->lfFaceName;
    if (face[0] == '@') return 1;
    copyText(names[nameCount++], sizeof(FaceName), face, strnlen(face, LF_FACESIZE));
    return 1;
}

}  // namespace

bool FaceNames::load(HDC dc) {
    release();
    if (!names.allocate(kMaxFaceNames)) return false;
    // All zero but the character set: every face of that set, one entry each.
    LOGFONTA wanted = {};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExA(dc, &wanted, addFace, 0, 0);
    return true;
}

void FaceNames::release() {
    names.reset();
    nameCount = 0;
}

int32_t FaceNames::count() {
    return nameCount;
}

const char* FaceNames::at(int32_t index) {
    return names[index];
}
