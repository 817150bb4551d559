#include "engine/glyph_stream.h"

#include <algorithm>
#include <system_error>

namespace {

int32_t threadsFor(const RunWindow& window, int32_t limit) {
    int32_t threads = window.drawingThreads;
    if (threads <= 0) threads = static_cast<int32_t>(std::thread::hardware_concurrency());
    return std::clamp(threads, 1, limit);
}

}  // namespace

GlyphStream::GlyphStream(const RunWindow& window, const GlyphOptions& options,
                         const CharacterList& characters)
    : window(window), options(options), characters(characters) {}

GlyphStream::~GlyphStream() {
    stop();
}

bool GlyphStream::start(const char** problem) {
    *problem = nullptr;
    const int32_t threads = threadsFor(window, kMaxThreads);
    for (; workerCount < threads; ++workerCount) {
        Worker& worker = workers[workerCount];
        worker.options = options;
        const char* reason = nullptr;
        worker.drawer = window.openDrawer(window.handle, worker.options, &reason);
        if (!worker.drawer) {
            // Fewer threads still draw; only a run that gets none fails.
            if (workerCount == 0) *problem = reason;
            break;
        }
        try {
            worker.thread = std::thread(&GlyphStream::draw, this, std::ref(worker));
        } catch (const std::system_error&) {
            window.closeDrawer(worker.drawer);
            break;
        }
    }
    return workerCount > 0;
}

void GlyphStream::stop() {
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    freedOne.notify_all();
    for (int32_t i = 0; i < workerCount; ++i) {
        workers[i].thread.join();
        window.closeDrawer(workers[i].drawer);
    }
    workerCount = 0;
}

void GlyphStream::draw(Worker& worker) {
    const int32_t count = characters.count();
    for (;;) {
        int32_t index;
        {
            std::unique_lock<std::mutex> guard(lock);
            freedOne.wait(
                guard, [&] { return stopping || nextToDraw >= count || nextToDraw - nextToTake < kSlots; });
            if (stopping || nextToDraw >= count) return;
            index = nextToDraw++;
        }
        // The slot is this thread's alone until it is marked ready: the
        // consumer has released its previous character.
        Glyph& glyph = slots[index % kSlots].glyph;
        Surface image;
        glyph.outcome =
            window.drawGlyph(worker.drawer, image, worker.options, characters.entries()[index].text);
        glyph.width = image.getWidth();
        glyph.height = image.getHeight();
        glyph.kept = glyph.runs.encode(image);
        glyph.abc = worker.options.abc;
        glyph.topOffset = worker.options.topOffset;
        glyph.textMetrics = worker.options.textMetrics;
        {
            std::lock_guard<std::mutex> guard(lock);
            slots[index % kSlots].ready = true;
        }
        drawnOne.notify_all();
    }
}

const GlyphStream::Glyph& GlyphStream::take(int32_t index) {
    Slot& slot = slots[index % kSlots];
    std::unique_lock<std::mutex> guard(lock);
    drawnOne.wait(guard, [&] { return slot.ready; });
    return slot.glyph;
}

void GlyphStream::release(int32_t index) {
    {
        std::lock_guard<std::mutex> guard(lock);
        slots[index % kSlots].ready = false;
        nextToTake = index + 1;
    }
    freedOne.notify_all();
}
