#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/generation_settings.h"

// The values of GenerationSettings that are set by name, each named once
// here: the option parser, the batch-line writer and the main dialog all
// reach the settings through these descriptions, so a value added or moved
// is changed in one place.

enum class FieldKind {
    Int,     // int32_t
    Flag,    // int32_t, 0 or 1
    Real,    // float
    Colour,  // uint32_t, a packed colour
    Text,    // char[bytes], NUL-terminated code page 932
};

struct SettingField {
    FieldKind kind;
    size_t offset;  // of the value inside GenerationSettings
    size_t bytes;   // a text field's size, terminator included; 0 otherwise
};

// The value a field describes. Each accessor is for the kinds its type
// stores: intField for Int and Flag, realField for Real, and so on.
int32_t& intField(GenerationSettings& settings, const SettingField& field);
int32_t intField(const GenerationSettings& settings, const SettingField& field);
float& realField(GenerationSettings& settings, const SettingField& field);
float realField(const GenerationSettings& settings, const SettingField& field);
uint32_t& colourField(GenerationSettings& settings, const SettingField& field);
uint32_t colourField(const GenerationSettings& settings, const SettingField& field);
char* textField(GenerationSettings& settings, const SettingField& field);
const char* textField(const GenerationSettings& settings, const SettingField& field);

namespace settingFields {

#define TYPEKILN_FIELD(kind, member)                             \
    SettingField {                                               \
        FieldKind::kind, offsetof(GenerationSettings, member), 0 \
    }
#define TYPEKILN_TEXT_FIELD(member)                                                                \
    SettingField {                                                                                 \
        FieldKind::Text, offsetof(GenerationSettings, member), sizeof(GenerationSettings{}.member) \
    }

inline constexpr SettingField inputPath = TYPEKILN_TEXT_FIELD(inputPath);
inline constexpr SettingField outName = TYPEKILN_TEXT_FIELD(outName);
inline constexpr SettingField pageWidthIndex = TYPEKILN_FIELD(Int, pageWidthIndex);
inline constexpr SettingField pageHeightIndex = TYPEKILN_FIELD(Int, pageHeightIndex);
inline constexpr SettingField pageFormat = TYPEKILN_FIELD(Int, pageFormat);
inline constexpr SettingField face = TYPEKILN_TEXT_FIELD(glyphOptions.face);
inline constexpr SettingField bold = TYPEKILN_FIELD(Flag, glyphOptions.bold);
inline constexpr SettingField edgeOn = TYPEKILN_FIELD(Flag, glyphOptions.edgeOn);
inline constexpr SettingField bevelOn = TYPEKILN_FIELD(Flag, glyphOptions.bevelOn);
inline constexpr SettingField italic = TYPEKILN_FIELD(Flag, glyphOptions.italic);
inline constexpr SettingField fixPitch = TYPEKILN_FIELD(Flag, glyphOptions.fixPitch);
inline constexpr SettingField edgeSize = TYPEKILN_FIELD(Int, glyphOptions.edgeSize);
inline constexpr SettingField bevelSize = TYPEKILN_FIELD(Int, glyphOptions.bevelSize);
inline constexpr SettingField size = TYPEKILN_FIELD(Int, glyphOptions.size);
inline constexpr SettingField bevelDirection = TYPEKILN_FIELD(Int, glyphOptions.bevelDirection);
inline constexpr SettingField sample = TYPEKILN_FIELD(Int, glyphOptions.sample);
inline constexpr SettingField aspectX = TYPEKILN_FIELD(Real, glyphOptions.aspectX);
inline constexpr SettingField aspectY = TYPEKILN_FIELD(Real, glyphOptions.aspectY);
inline constexpr SettingField color = TYPEKILN_FIELD(Colour, glyphOptions.color);
inline constexpr SettingField bevelColor = TYPEKILN_FIELD(Colour, glyphOptions.bevelColor);
inline constexpr SettingField edgeColor = TYPEKILN_FIELD(Colour, glyphOptions.edgeColor);

#undef TYPEKILN_FIELD
#undef TYPEKILN_TEXT_FIELD

}  // namespace settingFields
