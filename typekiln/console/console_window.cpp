#include "console/console_window.h"

#include <unistd.h>

#include <string>

#include "console/terminal_text.h"
#include "engine/shift_jis.h"
#include "glyphs/glyph_drawing.h"

namespace {

constexpr int kBarWidth = 30;
// Redrawing more often than the eye follows would cost more than drawing.
constexpr std::chrono::milliseconds kRedrawPeriod(100);

ConsoleWindow& consoleOf(void* handle) {
    return *static_cast<ConsoleWindow*>(handle);
}

}  // namespace

ConsoleWindow::ConsoleWindow(FILE* stream) : stream(stream), showsProgress(isatty(fileno(stream)) != 0) {}

ConsoleWindow::~ConsoleWindow() {
    clearProgress();
}

RunWindow ConsoleWindow::runWindow() {
    return {this,
            0,
            openRunDrawer,
            closeRunDrawer,
            drawRunGlyph,
            reportEmptyGlyph,
            setProgressRange,
            stepProgress,
            reportPageWritten,
            reportFailure};
}

void ConsoleWindow::say(const char* message) {
    clearProgress();
    std::string line = "typekiln: " + terminalTextFromCodePage932(message);
    // Messages are written for boxes; a line of the terminal takes them whole.
    for (char& c : line) {
        if (c == '\n') c = ' ';
    }
    std::fprintf(stream, "%s\n", line.c_str());
    drawProgress(true);
}

void ConsoleWindow::reportEmptyGlyph(void* handle, const char* text) {
    char message[128];
    std::snprintf(message, sizeof message, "文字 0x%04X「%s」は画像がないため空で置きます",
                  characterCode(text), text);
    consoleOf(handle).say(message);
}

void ConsoleWindow::setProgressRange(void* handle, int32_t count) {
    ConsoleWindow& console = consoleOf(handle);
    console.glyphTotal = count;
    console.drawProgress(true);
}

void ConsoleWindow::stepProgress(void* handle) {
    ConsoleWindow& console = consoleOf(handle);
    ++console.glyphsPlaced;
    console.drawProgress(false);
}

void ConsoleWindow::reportPageWritten(void* handle, int32_t written) {
    ConsoleWindow& console = consoleOf(handle);
    console.pagesWritten = written;
    console.drawProgress(true);
}

void ConsoleWindow::reportFailure(void* handle, const char* message) {
    consoleOf(handle).say(message);
}

void ConsoleWindow::drawProgress(bool force) {
    if (!showsProgress || glyphTotal <= 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && glyphsPlaced < glyphTotal && now - lastDrawn < kRedrawPeriod) return;
    lastDrawn = now;
    const int filled = static_cast<int>(int64_t{kBarWidth} * glyphsPlaced / glyphTotal);
    char text[160];
    int length =
        std::snprintf(text, sizeof text, "[%.*s%*s] %d/%d 文字", filled,
                      "==============================", kBarWidth - filled, "", glyphsPlaced, glyphTotal);
    if (pagesWritten > 0)
        std::snprintf(text + length, sizeof text - length, "  ページ %d 書き込み済み", pagesWritten);
    std::fprintf(stream, "\r%s\033[K", terminalTextFromCodePage932(text).c_str());
    std::fflush(stream);
    progressShown = true;
}

void ConsoleWindow::clearProgress() {
    if (!progressShown) return;
    std::fprintf(stream, "\r\033[K");
    std::fflush(stream);
    progressShown = false;
}
