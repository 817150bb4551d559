// Feeds arbitrary bytes through both carriers of the option language: as a
// batch file's text (splitBatchLine, then parseOptions) and as a process's
// argument list (one argument per NUL-separated piece). Whatever the input,
// the settings must stay well-formed: terminated texts, and a batch line
// that can always be written back.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/options.h"
#include "engine/settings_check.h"

namespace {

void checkWellFormed(const GenerationSettings& settings) {
    if (!std::memchr(settings.inputPath, 0, sizeof settings.inputPath) ||
        !std::memchr(settings.outName, 0, sizeof settings.outName) ||
        !std::memchr(settings.glyphOptions.face, 0, sizeof settings.glyphOptions.face)) {
        __builtin_trap();
    }
    char line[kBatchLineBufferBytes];
    if (formatBatchLine(settings, line, sizeof line) == 0) __builtin_trap();
    findSettingsProblem(settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    static BatchArguments batch;
    splitBatchLine(text.c_str(), batch);
    GenerationSettings fromBatch;
    setStartupSettings(fromBatch);
    parseOptions(fromBatch, batch.count, batch.values);
    checkWellFormed(fromBatch);

    std::vector<std::string> pieces{"Typekiln"};
    for (size_t start = 0; start <= size;) {
        size_t end = text.find('\0', start);
        if (end == std::string::npos) end = size;
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> arguments;
    for (const std::string& piece : pieces) arguments.push_back(piece.c_str());
    GenerationSettings fromCommandLine;
    setStartupSettings(fromCommandLine);
    parseOptions(fromCommandLine, static_cast<int>(arguments.size()), arguments.data());
    checkWellFormed(fromCommandLine);
    return 0;
}
