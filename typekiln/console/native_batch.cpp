#include "console/native_batch.h"

#include <memory>

#include "console/console_window.h"
#include "engine/character_list.h"
#include "engine/font_generator.h"
#include "engine/options.h"
#include "engine/page_layout.h"
#include "engine/run_window.h"
#include "frontend_core/run_checks.h"

int runNativeBatch(const std::vector<std::string>& arguments, FILE* messages) {
    ConsoleWindow console(messages);
    // Large records, as the Windows program keeps them for its whole life.
    auto settings = std::make_unique<GenerationSettings>();
    auto characters = std::make_unique<CharacterList>();
    setStartupSettings(*settings);
    WorkTables tables = {};
    if (!reserveWorkTables(tables)) {
        console.say(kNoMemoryMessage);
        return 1;
    }
    std::vector<const char*> values;
    for (const std::string& argument : arguments) values.push_back(argument.c_str());
    parseOptions(*settings, static_cast<int>(values.size()), values.data());

    bool written = false;
    if (const char* problem = findBatchRunProblem(*settings)) {
        console.say(problem);
    } else if (!characters->load(settings->inputPath)) {
        console.say(kInputUnreadableMessage);
    } else {
        written = FontGenerator::run(console.runWindow(), *settings, *characters, tables);
    }
    releaseWorkTables(tables);
    return written ? 0 : 1;
}
