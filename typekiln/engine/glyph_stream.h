#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "engine/character_list.h"
#include "engine/generation_settings.h"
#include "engine/run_window.h"
#include "engine/sampled_page.h"

// Draws the characters of a list on several threads and hands the glyphs to
// one consumer in list order. Each thread has its own drawer and its own copy
// of the glyph options; the threads draw at most kSlots glyphs ahead of the
// consumer, so that memory stays bounded however slow the consumer is.
class GlyphStream {
public:
    // One drawn character, as far as a run needs it.
    struct Glyph {
        int32_t width, height;  // sampled pixels; 0 x 0 when nothing was drawn
        GlyphOutcome outcome;
        bool kept;  // false: the runs could not be kept (too wide, no memory)
        GlyphRuns runs;
        // The working state the drawing left in the thread's options.
        AbcWidths abc;
        int32_t topOffset;
        TextMetrics textMetrics;
    };

    GlyphStream(const RunWindow& window, const GlyphOptions& options, const CharacterList& characters);
    // Stops the threads (unfinished drawings are dropped) and closes the drawers.
    ~GlyphStream();
    GlyphStream(const GlyphStream&) = delete;
    GlyphStream& operator=(const GlyphStream&) = delete;

    // Opens the drawers and starts the threads. Returns false, having started
    // nothing, when no drawer or thread could be had; *problem then holds the
    // first drawer's reason when it gave one, else null.
    bool start(const char** problem);
    // Waits for character `index` and lends its glyph until release(index).
    // Characters are taken one after another from 0.
    const Glyph& take(int32_t index);
    void release(int32_t index);

private:
    static constexpr int32_t kSlots = 64;
    static constexpr int32_t kMaxThreads = 16;

    struct Slot {
        Glyph glyph;
        bool ready;
    };
    struct Worker {
        void* drawer;
        GlyphOptions options;
        std::thread thread;
    };

    void draw(Worker& worker);
    void stop();

    const RunWindow& window;
    const GlyphOptions& options;
    const CharacterList& characters;
    Slot slots[kSlots] = {};
    Worker workers[kMaxThreads] = {};
    int32_t workerCount = 0;

    std::mutex lock;
    std::condition_variable drawnOne;  // a slot became ready
    std::condition_variable freedOne;  // a slot was released, or the stream stops
    int32_t nextToDraw = 0;
    int32_t nextToTake = 0;
    bool stopping = false;
};
