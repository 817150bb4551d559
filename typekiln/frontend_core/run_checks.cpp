#include "frontend_core/run_checks.h"

#include <cstring>

#include "engine/settings_check.h"

const char* findBatchRunProblem(const GenerationSettings& settings) {
    if (settings.inputPath[0] == '\0') return "入力ファイル名が指定されていません";
    return findSettingsProblem(settings);
}

const char* findDialogRunProblem(const GenerationSettings& settings) {
    if (settings.outName[0] == '\0') return "データ名が入力されていません";
    if (std::strlen(settings.outName) > kMaxDialogOutNameBytes)
        return "データ名が長すぎます\n半角16文字までです";
    return findBatchRunProblem(settings);
}
