#include "engine/setting_fields.h"

namespace {

template <typename Value>
Value& valueAt(GenerationSettings& settings, const SettingField& field) {
    return *reinterpret_cast<Value*>(reinterpret_cast<char*>(&settings) + field.offset);
}

template <typename Value>
const Value& valueAt(const GenerationSettings& settings, const SettingField& field) {
    return *reinterpret_cast<const Value*>(reinterpret_cast<const char*>(&settings) + field.offset);
}

}  // namespace

int32_t& intField(GenerationSettings& settings, const SettingField& field) {
    return valueAt<int32_t>(settings, field);
}
int32_t intField(const GenerationSettings& settings, const SettingField& field) {
    return valueAt<int32_t>(settings, field);
}
float& realField(GenerationSettings& settings, const SettingField& field) {
    return valueAt<float>(settings, field);
}
float realField(const GenerationSettings& settings, const SettingField& field) {
    return valueAt<float>(settings, field);
}
uint32_t& colourField(GenerationSettings& settings, const SettingField& field) {
    return valueAt<uint32_t>(settings, field);
}
uint32_t colourField(const GenerationSettings& settings, const SettingField& field) {
    return valueAt<uint32_t>(settings, field);
}
char* textField(GenerationSettings& settings, const SettingField& field) {
    return &valueAt<char>(settings, field);
}
const char* textField(const GenerationSettings& settings, const SettingField& field) {
    return &valueAt<char>(settings, field);
}
