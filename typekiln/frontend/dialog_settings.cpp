#include "frontend/dialog_settings.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/setting_fields.h"
#include "engine/shift_jis.h"
#include "engine/text_numbers.h"
#include "frontend/colour_picker.h"
#include "frontend/face_names.h"
#include "frontend/program_state.h"
#include "frontend/resource.h"

namespace {

enum class ControlKind {
    TextBox,        // a text setting, cut to its field
    NumberBox,      // an integer, converted like atoi
    SampleBox,      // the sampling count: an integer of at least 1
    ScaleBox,       // a real, converted like atof
    CheckBox,       // a flag
    FaceList,       // a name from FaceNames
    DirectionList,  // an extrusion direction code, by bevelDirectionCodes
    IndexList,      // the index of the selected entry
    ColourButton,   // a colour, picked with the colour picker
};

struct SettingControl {
    int id;
    ControlKind kind;
    const SettingField* field;
};

constexpr SettingControl kSettingControls[] = {
    {IDC_INPUT_PATH, ControlKind::TextBox, &settingFields::inputPath},
    {IDC_OUT_NAME, ControlKind::TextBox, &settingFields::outName},
    {IDC_FACE, ControlKind::FaceList, &settingFields::face},
    {IDC_FONT_SIZE, ControlKind::NumberBox, &settingFields::size},
    {IDC_SAMPLE, ControlKind::SampleBox, &settingFields::sample},
    {IDC_ASPECT_X, ControlKind::ScaleBox, &settingFields::aspectX},
    {IDC_ASPECT_Y, ControlKind::ScaleBox, &settingFields::aspectY},
    {IDC_EDGE_SIZE, ControlKind::NumberBox, &settingFields::edgeSize},
    {IDC_EDGE_ON, ControlKind::CheckBox, &settingFields::edgeOn},
    {IDC_BOLD, ControlKind::CheckBox, &settingFields::bold},
    {IDC_ITALIC, ControlKind::CheckBox, &settingFields::italic},
    {IDC_BEVEL_SIZE, ControlKind::NumberBox, &settingFields::bevelSize},
    {IDC_BEVEL_DIRECTION, ControlKind::DirectionList, &settingFields::bevelDirection},
    {IDC_BEVEL_ON, ControlKind::CheckBox, &settingFields::bevelOn},
    {IDC_PAGE_WIDTH, ControlKind::IndexList, &settingFields::pageWidthIndex},
    {IDC_PAGE_HEIGHT, ControlKind::IndexList, &settingFields::pageHeightIndex},
    {IDC_PAGE_FORMAT, ControlKind::IndexList, &settingFields::pageFormat},
    {IDC_FIX_PITCH, ControlKind::CheckBox, &settingFields::fixPitch},
    {IDC_COLOUR, ControlKind::ColourButton, &settingFields::color},
    {IDC_BEVEL_COLOUR, ControlKind::ColourButton, &settingFields::bevelColor},
    {IDC_EDGE_COLOUR, ControlKind::ColourButton, &settingFields::edgeColor},
};

// Room for any text a box can be given; a field then takes what fits whole.
constexpr int kBoxTextBytes = 1024;

const SettingControl* findSettingControl(int id) {
    for (const SettingControl& control : kSettingControls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

void addEntry(HWND dialog, int id, int index, const char* text) {
    SendDlgItemMessageA(dialog, id, CB_INSERTSTRING, index, LPARAM(text));
}

// The selected entry of a list, or -1 when none is (text was typed into it).
int selectedEntry(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

void selectEntry(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
}

void showNumber(HWND dialog, int id, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetDlgItemTextA(dialog, id, text);
}

void showScale(HWND dialog, int id, float value, ScaleText scales) {
    char text[kBoxTextBytes];
    if (scales == ScaleText::TwoPlaces) {
        std::snprintf(text, sizeof text, "%.2lf", static_cast<double>(value));
    } else {
        formatReal(value, text, sizeof text);
    }
    SetDlgItemTextA(dialog, id, text);
}

void showFace(HWND dialog, const char* face) {
    for (int32_t i = 0; i < FaceNames::count(); ++i) {
        if (std::strcmp(FaceNames::at(i), face) == 0) selectEntry(dialog, IDC_FACE, i);
    }
}

void showDirection(HWND dialog, int32_t code) {
    for (int i = 0; i < static_cast<int>(std::size(bevelDirectionCodes)); ++i) {
        if (bevelDirectionCodes[i].code == code) selectEntry(dialog, IDC_BEVEL_DIRECTION, i);
    }
}

void showSetting(HWND dialog, const SettingControl& control, ScaleText scales) {
    const GenerationSettings& settings = generationSettings;
    const SettingField& field = *control.field;
    switch (control.kind) {
        case ControlKind::TextBox:
            SetDlgItemTextA(dialog, control.id, textField(settings, field));
            break;
        case ControlKind::NumberBox:
        case ControlKind::SampleBox:
            showNumber(dialog, control.id, intField(settings, field));
            break;
        case ControlKind::ScaleBox:
            showScale(dialog, control.id, realField(settings, field), scales);
            break;
        case ControlKind::CheckBox:
            CheckDlgButton(dialog, control.id, intField(settings, field) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ControlKind::FaceList:
            showFace(dialog, textField(settings, field));
            break;
        case ControlKind::DirectionList:
            showDirection(dialog, intField(settings, field));
            break;
        case ControlKind::IndexList:
            selectEntry(dialog, control.id, intField(settings, field));
            break;
        case ControlKind::ColourButton:
            break;  // the colour shows nowhere but in the preview
    }
}

// The box's text, and its length in bytes.
size_t boxText(HWND dialog, int id, char (&text)[kBoxTextBytes]) {
    return static_cast<size_t>(GetDlgItemTextA(dialog, id, text, kBoxTextBytes));
}

void takeSetting(HWND dialog, const SettingControl& control) {
    GenerationSettings& settings = generationSettings;
    const SettingField& field = *control.field;
    char text[kBoxTextBytes];
    switch (control.kind) {
        case ControlKind::TextBox: {
            const size_t length = boxText(dialog, control.id, text);
            copyText(textField(settings, field), field.bytes, text, length);
            break;
        }
        case ControlKind::NumberBox:
            boxText(dialog, control.id, text);
            intField(settings, field) = textToInt(text);
            break;
        case ControlKind::SampleBox:
            boxText(dialog, control.id, text);
            intField(settings, field) = textToInt(text);
            if (intField(settings, field) < 1) {
                intField(settings, field) = 1;
                // Selected, so that the next digit typed replaces it.
                SetDlgItemTextA(dialog, control.id, "1");
                SendDlgItemMessageA(dialog, control.id, EM_SETSEL, 0, -1);
            }
            break;
        case ControlKind::ScaleBox:
            boxText(dialog, control.id, text);
            realField(settings, field) = textToFloat(text);
            break;
        case ControlKind::CheckBox:
            intField(settings, field) = IsDlgButtonChecked(dialog, control.id) == BST_CHECKED ? 1 : 0;
            break;
        case ControlKind::FaceList: {
            const int entry = selectedEntry(dialog, control.id);
            if (entry >= 0 && entry < FaceNames::count()) {
                const char* face = FaceNames::at(entry);
                copyText(textField(settings, field), field.bytes, face, std::strlen(face));
            }
            break;
        }
        case ControlKind::DirectionList: {
            const int entry = selectedEntry(dialog, control.id);
            if (entry >= 0 && entry < static_cast<int>(std::size(bevelDirectionCodes)))
                intField(settings, field) = bevelDirectionCodes[entry].code;
            break;
        }
        case ControlKind::IndexList: {
            const int entry = selectedEntry(dialog, control.id);
            if (entry >= 0) intField(settings, field) = entry;
            break;
        }
        case ControlKind::ColourButton:
            pickColour(dialog, colourField(settings, field));
            break;
    }
}

}  // namespace

void fillChoiceLists(HWND dialog) {
    for (int32_t i = 0; i < FaceNames::count(); ++i) addEntry(dialog, IDC_FACE, i, FaceNames::at(i));
    for (int i = 0; i < static_cast<int>(std::size(bevelDirectionCodes)); ++i)
        addEntry(dialog, IDC_BEVEL_DIRECTION, i, bevelDirectionCodes[i].dialogText);
    for (int i = 0; i < kPageSizeCount; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", pageSizes[i]);
        addEntry(dialog, IDC_PAGE_WIDTH, i, text);
        addEntry(dialog, IDC_PAGE_HEIGHT, i, text);
    }
    for (int i = 0; i < static_cast<int>(std::size(pageFormats)); ++i)
        addEntry(dialog, IDC_PAGE_FORMAT, i, pageFormats[i].dialogText);
}

void showSettings(HWND dialog, ScaleText scales) {
    for (const SettingControl& control : kSettingControls) showSetting(dialog, control, scales);
}

bool takeSettingFrom(HWND dialog, int id) {
    const SettingControl* control = findSettingControl(id);
    if (!control) return false;
    takeSetting(dialog, *control);
    return true;
}
