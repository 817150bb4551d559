#include "engine/options.h"

#include <cstdio>
#include <cstring>

#include "engine/setting_fields.h"
#include "engine/shift_jis.h"
#include "engine/text_numbers.h"
#include "platform/file_system.h"

namespace {

// Walks the comma-separated values of one option. A value runs up to the
// next comma or the end; the number conversions stop at the comma by
// themselves.
struct ValueReader {
    const char* next;  // start of the next value, or nullptr when there is none

    const char* take() {
        const char* value = next;
        if (value) {
            const char* comma = std::strchr(value, ',');
            next = comma ? comma + 1 : nullptr;
        }
        return value;
    }

    void readInt(int32_t* field) {
        if (const char* value = take()) *field = textToInt(value);
    }

    void readFloat(float* field) {
        if (const char* value = take()) *field = textToFloat(value);
    }

    void readText(char* field, size_t size) {
        if (const char* value = take()) copyText(field, size, value, std::strcspn(value, ","));
    }

    // Red, green, blue; 255 goes into the top byte as the option syntax says.
    void readColour(uint32_t* colour) {
        int32_t red = static_cast<int32_t>(redOf(*colour));
        int32_t green = static_cast<int32_t>(greenOf(*colour));
        int32_t blue = static_cast<int32_t>(blueOf(*colour));
        readInt(&red);
        readInt(&green);
        readInt(&blue);
        *colour = packColour(static_cast<uint32_t>(red), static_cast<uint32_t>(green),
                             static_cast<uint32_t>(blue), 0xFF);
    }
};

// The current directory, a folder separator and the argument, cut to the
// field.
void setInputPath(GenerationSettings& settings, const char* argument) {
    char* path = settings.inputPath;
    const size_t room = sizeof settings.inputPath;
    // An absolute name is kept as it is. So is a relative one when the
    // current folder cannot be read or leaves no room: the system resolves
    // it against that same folder when the list is opened.
    const size_t folderLength = isAbsolutePath(argument) ? 0 : getCurrentFolder(path, room);
    if (folderLength == 0 || folderLength + 1 >= room) {
        copyText(path, room, argument, std::strlen(argument));
        return;
    }
    path[folderLength] = kFolderSeparator;
    copyText(path + folderLength + 1, room - folderLength - 1, argument, std::strlen(argument));
}

// One option of the language: "/keyword", then its values in order. An
// option with a flag sets it, and the batch line carries such an option only
// while its flag is set. Listed in the order the batch line writes them.
struct OptionSyntax {
    const char* keyword;
    const SettingField* flag;
    const SettingField* values[3];  // up to the first null
};

constexpr OptionSyntax kOptions[] = {
    {"out", nullptr, {&settingFields::outName}},
    {"format", nullptr, {&settingFields::pageFormat}},
    {"width", nullptr, {&settingFields::pageWidthIndex}},
    {"height", nullptr, {&settingFields::pageHeightIndex}},
    {"sample", nullptr, {&settingFields::sample}},
    {"aspect", nullptr, {&settingFields::aspectX, &settingFields::aspectY}},
    {"face", nullptr, {&settingFields::face}},
    {"size", nullptr, {&settingFields::size}},
    {"color", nullptr, {&settingFields::color}},
    {"edge", &settingFields::edgeOn, {&settingFields::edgeSize, &settingFields::edgeColor}},
    {"bevel",
     &settingFields::bevelOn,
     {&settingFields::bevelSize, &settingFields::bevelDirection, &settingFields::bevelColor}},
    {"bold", &settingFields::bold, {}},
    {"italic", &settingFields::italic, {}},
    {"fixpitch", &settingFields::fixPitch, {}},
};

// The option whose keyword is exactly these bytes, or null.
const OptionSyntax* findOption(const char* keyword, size_t length) {
    for (const OptionSyntax& option : kOptions) {
        if (std::strlen(option.keyword) == length && std::memcmp(option.keyword, keyword, length) == 0) {
            return &option;
        }
    }
    return nullptr;
}

void readValue(GenerationSettings& settings, const SettingField& field, ValueReader& values) {
    switch (field.kind) {
        case FieldKind::Int:
        case FieldKind::Flag:
            values.readInt(&intField(settings, field));
            break;
        case FieldKind::Real:
            values.readFloat(&realField(settings, field));
            break;
        case FieldKind::Colour:
            values.readColour(&colourField(settings, field));
            break;
        case FieldKind::Text:
            values.readText(textField(settings, field), field.bytes);
            break;
    }
}

void applyOption(GenerationSettings& settings, const char* argument) {
    const char* keyword = argument + 1;
    const char* comma = std::strchr(keyword, ',');
    const size_t length = comma ? static_cast<size_t>(comma - keyword) : std::strlen(keyword);
    const OptionSyntax* option = findOption(keyword, length);
    if (!option) return;
    if (option->flag) intField(settings, *option->flag) = 1;
    ValueReader values{comma ? comma + 1 : nullptr};
    for (const SettingField* field : option->values) {
        if (field) readValue(settings, *field, values);
    }
}

// Collects the batch line, or remembers that it did not fit.
class LineWriter {
public:
    LineWriter(char* line, size_t size) : line(line), size(size) {}

    template <typename... Values>
    void append(const char* format, Values... values) {
        if (!fits) return;
        const int length = std::snprintf(line + used, size - used, format, values...);
        if (length < 0 || static_cast<size_t>(length) >= size - used) {
            fits = false;
            return;
        }
        used += static_cast<size_t>(length);
    }

    void appendValue(const GenerationSettings& settings, const SettingField& field) {
        switch (field.kind) {
            case FieldKind::Int:
            case FieldKind::Flag:
                append(",%d", intField(settings, field));
                break;
            case FieldKind::Real: {
                // The shortest text that reads back unchanged, so that a saved
                // scale of 1.26 runs as 1.26, not as 1.3.
                char real[kRealTextBytes];
                if (formatReal(realField(settings, field), real, sizeof real) == 0) fits = false;
                append(",%s", real);
                break;
            }
            case FieldKind::Colour: {
                const uint32_t colour = colourField(settings, field);
                append(",%d,%d,%d", static_cast<int>(redOf(colour)), static_cast<int>(greenOf(colour)),
                       static_cast<int>(blueOf(colour)));
                break;
            }
            case FieldKind::Text:
                append(",\"%s\"", textField(settings, field));
                break;
        }
    }

    // The line's length, or 0 (and an empty line) when it did not fit.
    size_t finish() {
        if (fits) return used;
        line[0] = '\0';
        return 0;
    }

private:
    static constexpr size_t kRealTextBytes = 256;
    char* line;
    size_t size;
    size_t used = 0;
    bool fits = true;
};

}  // namespace

void parseOptions(GenerationSettings& settings, int count, const char* const* arguments) {
    for (int i = 1; i < count; ++i) {
        const char* argument = arguments[i];
        if (namesInputFile(argument)) {
            setInputPath(settings, argument);
        } else {
            applyOption(settings, argument);
        }
    }
}

void splitBatchLine(const char* text, BatchArguments& arguments) {
    arguments.count = 0;
    char* out = arguments.text;
    char* tokenStart = out;
    bool quoted = false;

    auto endToken = [&]() {
        if (out == tokenStart) return;  // repeated spaces make no empty argument
        *out++ = '\0';
        if (arguments.count < kMaxBatchArguments) arguments.values[arguments.count++] = tokenStart;
        tokenStart = out;
    };

    // A batch file may go on with further commands; only its first line
    // holds the options.
    for (int i = 0; i < kMaxBatchLineBytes && text[i] && text[i] != '\r' && text[i] != '\n'; ++i) {
        char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            endToken();
        } else {
            *out++ = c;
        }
    }
    endToken();
}

size_t formatBatchLine(const GenerationSettings& settings, char* line, size_t size) {
    if (size == 0) return 0;
    LineWriter writer(line, size);
    const char* separator = findLastFolderSeparator(settings.inputPath);
    const char* inputName = separator ? separator + 1 : settings.inputPath;
    // A name with a space is quoted, so that loading the line keeps it whole.
    writer.append(std::strchr(inputName, ' ') ? "Typekiln \"%s\" " : "Typekiln %s ", inputName);
    for (const OptionSyntax& option : kOptions) {
        if (option.flag && !intField(settings, *option.flag)) continue;
        writer.append("/%s", option.keyword);
        for (const SettingField* field : option.values) {
            if (field) writer.appendValue(settings, *field);
        }
        writer.append("%s", " ");
    }
    return writer.finish();
}
