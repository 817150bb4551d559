#include "options.h"

#include <cstdio>
#include <cstring>

#include "file_system.h"
#include "shift_jis.h"
#include "text_numbers.h"

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

bool isAbsolutePath(const char* path) {
    bool driveLetter =
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
    return driveLetter || path[0] == '\\';
}

// "%s\\%s" from the current directory and the argument, cut to the field.
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
    path[folderLength] = '\\';
    copyText(path + folderLength + 1, room - folderLength - 1, argument, std::strlen(argument));
}

bool keywordIs(const char* keyword, size_t length, const char* name) {
    return std::strlen(name) == length && std::memcmp(keyword, name, length) == 0;
}

void applyOption(GenerationSettings& settings, const char* option) {
    const char* keyword = option + 1;
    const char* comma = std::strchr(keyword, ',');
    const size_t length = comma ? static_cast<size_t>(comma - keyword) : std::strlen(keyword);
    ValueReader values{comma ? comma + 1 : nullptr};
    GlyphOptions& glyph = settings.glyphOptions;

    if (keywordIs(keyword, length, "width")) {
        values.readInt(&settings.pageWidthIndex);
    } else if (keywordIs(keyword, length, "height")) {
        values.readInt(&settings.pageHeightIndex);
    } else if (keywordIs(keyword, length, "format")) {
        values.readInt(&settings.pageFormat);
    } else if (keywordIs(keyword, length, "size")) {
        values.readInt(&glyph.size);
    } else if (keywordIs(keyword, length, "sample")) {
        values.readInt(&glyph.sample);
    } else if (keywordIs(keyword, length, "aspect")) {
        values.readFloat(&glyph.aspectX);
        values.readFloat(&glyph.aspectY);
    } else if (keywordIs(keyword, length, "color")) {
        values.readColour(&glyph.color);
    } else if (keywordIs(keyword, length, "edge")) {
        glyph.edgeOn = 1;
        values.readInt(&glyph.edgeSize);
        values.readColour(&glyph.edgeColor);
    } else if (keywordIs(keyword, length, "bevel")) {
        glyph.bevelOn = 1;
        values.readInt(&glyph.bevelSize);
        values.readInt(&glyph.bevelDirection);
        values.readColour(&glyph.bevelColor);
    } else if (keywordIs(keyword, length, "bold")) {
        glyph.bold = 1;
    } else if (keywordIs(keyword, length, "italic")) {
        glyph.italic = 1;
    } else if (keywordIs(keyword, length, "face")) {
        values.readText(glyph.face, sizeof glyph.face);
    } else if (keywordIs(keyword, length, "out")) {
        values.readText(settings.outName, sizeof settings.outName);
    } else if (keywordIs(keyword, length, "fixpitch")) {
        glyph.fixPitch = 1;
    }
}

}  // namespace

void parseOptions(GenerationSettings& settings, int count, const char* const* arguments) {
    for (int i = 1; i < count; ++i) {
        const char* argument = arguments[i];
        if (argument[0] == '/') {
            applyOption(settings, argument);
        } else {
            setInputPath(settings, argument);
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
    const GlyphOptions& glyph = settings.glyphOptions;
    size_t used = 0;
    bool fits = true;
    auto append = [&](const char* format, auto... values) {
        if (!fits) return;
        int length = std::snprintf(line + used, size - used, format, values...);
        if (length < 0 || static_cast<size_t>(length) >= size - used) {
            fits = false;
            return;
        }
        used += static_cast<size_t>(length);
    };
    if (size == 0) return 0;

    const char* separator = findLastSeparator(settings.inputPath);
    const char* inputName = separator ? separator + 1 : settings.inputPath;
    // A name with a space is quoted, so that loading the line keeps it whole.
    append(std::strchr(inputName, ' ') ? "Typekiln \"%s\" " : "Typekiln %s ", inputName);
    append("/out,\"%s\" ", settings.outName);
    append("/format,%d ", settings.pageFormat);
    append("/width,%d /height,%d ", settings.pageWidthIndex, settings.pageHeightIndex);
    append("/sample,%d ", glyph.sample);
    append("/aspect,%.1lf,%.1lf ", static_cast<double>(glyph.aspectX), static_cast<double>(glyph.aspectY));
    append("/face,\"%s\" /size,%d ", glyph.face, glyph.size);
    auto rgb = [](uint32_t colour, int channel) {
        return static_cast<int>((colour >> (8 * channel)) & 0xFF);
    };
    append("/color,%d,%d,%d ", rgb(glyph.color, 0), rgb(glyph.color, 1), rgb(glyph.color, 2));
    if (glyph.edgeOn) {
        append("/edge,%d,%d,%d,%d ", glyph.edgeSize, rgb(glyph.edgeColor, 0), rgb(glyph.edgeColor, 1),
               rgb(glyph.edgeColor, 2));
    }
    if (glyph.bevelOn) {
        append("/bevel,%d,%d,%d,%d,%d ", glyph.bevelSize, glyph.bevelDirection, rgb(glyph.bevelColor, 0),
               rgb(glyph.bevelColor, 1), rgb(glyph.bevelColor, 2));
    }
    if (glyph.bold) append("%s", "/bold ");
    if (glyph.italic) append("%s", "/italic ");
    if (glyph.fixPitch) append("%s", "/fixpitch ");
    if (!fits) {
        line[0] = '\0';
        return 0;
    }
    return used;
}
