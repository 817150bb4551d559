#include "frontend/batch_file.h"

#include <cstdio>
#include <cstring>

#include "engine/font_generator.h"
#include "engine/options.h"
#include "frontend/dialog_settings.h"
#include "frontend/file_dialogs.h"
#include "frontend/preview.h"
#include "frontend/program_state.h"
#include "platform/file_system.h"

namespace {

// Makes the folder of `path` the current directory, as the file dialog that
// chose it has done already.
void enterFolderOf(const char* path) {
    char folder[kMaxPathBytes];
    outputFolderOf(path, folder);
    if (folder[0] != '\0') setCurrentFolder(folder);
}

}  // namespace

void saveBatchFile(HWND dialog) {
    char path[kFileDialogPathBytes];
    if (askBatchFileToSave(dialog, path, sizeof path)) writeBatchFile(path);
}

void loadBatchFile(HWND dialog) {
    char path[kFileDialogPathBytes];
    if (askBatchFileToLoad(dialog, path, sizeof path)) readBatchFile(dialog, path);
}

bool writeBatchFile(const char* path) {
    char line[kBatchLineBufferBytes];
    const size_t length = formatBatchLine(generationSettings, line, sizeof line);
    return length > 0 && writeWholeFile(path, line, length);
}

bool readBatchFile(HWND dialog, const char* path) {
    FILE* file = std::fopen(path, "rt");
    if (!file) return false;
    char text[kMaxBatchLineBytes + 1];
    const size_t length = std::fread(text, 1, kMaxBatchLineBytes, file);
    std::fclose(file);
    if (length == 0) return false;
    text[length] = '\0';

    enterFolderOf(path);
    static BatchArguments arguments;  // 6 KB: kept off the stack
    splitBatchLine(text, arguments);
    std::memset(&generationSettings.glyphOptions, 0, sizeof generationSettings.glyphOptions);
    parseOptions(generationSettings, arguments.count, arguments.values);
    showSettings(dialog, ScaleText::Shortest);
    renderPreview(dialog);
    return true;
}
