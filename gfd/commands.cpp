#include "gfd/commands.h"

#include <map>
#include <new>
#include <vector>

#include "gfd/baseline.h"
#include "gfd/fnt_export.h"
#include "gfd/font_check.h"
#include "gfd/page_loader.h"
#include "gfd/png_writer.h"
#include "gfd/text_renderer.h"
#include "gfd/text_setter.h"
#include "gfd/wording.h"
#include "platform/code_page.h"
#include "platform/file_identity.h"

namespace {

// A damaged font could fill a screen with one kind of finding.
constexpr int kFindingsShownPerKind = 10;

// How the summary of findings left unshown names them.
const char* kindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::Header:
            return "header faults";
        case FindingKind::Slot:
            return "slots pointing past the last record";
        case FindingKind::Record:
            return "records with a cell off their page";
        case FindingKind::Page:
            return "page faults";
        case FindingKind::UnreachableRecord:
            return "records no slot reaches";
        case FindingKind::StrayPixels:
            return "pages with stray pixels";
    }
    return "";
}

int fail(std::string& err, const std::string& reason) {
    err += "gfd: " + reason + "\n";
    return kExitFailed;
}

// Opens the font and refuses it when its descriptor is not safe to draw
// from, naming the first fault, or when the system cannot convert its codes.
bool openUsableFont(const std::string& path, const CodePage932& codePage, Font& font, std::string& error) {
    if (!codePage.available()) {
        error = "this system has no code page 932 conversion";
        return false;
    }
    if (!openFont(path.c_str(), font, error)) return false;
    const std::vector<Finding> damage = findDescriptorDamage(font.descriptor);
    if (damage.empty()) return true;
    error = path + ": " + damage.front().text + " (gfd check lists every fault)";
    return false;
}

// Refuses outputs that would overwrite a file the font is read from. Files
// are compared by identity, so another spelling of the same path, or a link
// to an input, is that input.
bool refuseOverwritingInputs(const Font& font, const std::vector<std::string>& outputs, std::string& error) {
    struct Input {
        std::string path;
        FileIdentity identity;
    };
    std::vector<Input> inputs;
    for (const std::string& path : fontFiles(font)) {
        FileIdentity identity;
        if (getFileIdentity(path.c_str(), &identity)) inputs.push_back({path, identity});
    }
    for (const std::string& output : outputs) {
        FileIdentity identity;
        if (!getFileIdentity(output.c_str(), &identity)) continue;  // a new file
        for (const Input& input : inputs) {
            if (!(input.identity == identity)) continue;
            error = output + " would overwrite " + input.path + ", which the font is read from";
            return false;
        }
    }
    return true;
}

// The baseline --base gives, or the one measured on the pages.
bool chooseBaseline(const Command& command, const Font& font, int32_t& baseline, std::string& error) {
    if (command.base == kMeasuredBase) return measureBaseline(font, baseline, error);
    baseline = command.base;
    return true;
}

int runCheck(const Command& command, std::string& out, std::string& err) {
    Font font;
    std::string error;
    if (!openFont(command.font.c_str(), font, error)) return fail(err, error);
    const std::vector<Finding> findings = checkFont(font);
    if (findings.empty()) {
        out += command.font + ": " + fontSummary(font.descriptor) + "\n";
        return kExitDone;
    }
    std::map<FindingKind, int> shown;
    std::map<FindingKind, int> unshown;
    for (const Finding& finding : findings) {
        if (shown[finding.kind]++ < kFindingsShownPerKind) {
            out += command.font + ": " + finding.text + "\n";
        } else {
            ++unshown[finding.kind];
        }
    }
    for (const auto& kind : unshown)
        out += command.font + ": ... and " + counted(kind.second, "more", "more") + " " +
               kindName(kind.first) + "\n";
    return fail(err, command.font + ": " + counted(findings.size(), "problem", "problems"));
}

std::string missingReport(const std::u32string& missing, const CodePage932& codePage) {
    std::string report;
    for (char32_t c : missing) {
        uint16_t code = 0;
        if (!report.empty()) report += ", ";
        report += systemTextFromUnicode(std::u32string(1, c)) + " (" + unicodeName(c);
        report += codePage.fromUnicode(c, &code) ? ")" : ", not in code page 932)";
    }
    return report;
}

int runRender(const Command& command, std::string& out, std::string& err) {
    CodePage932 codePage;
    Font font;
    std::string error;
    if (!openUsableFont(command.font, codePage, font, error)) return fail(err, error);
    // Only the boxes of missing characters stand on the baseline: it is
    // measured, reading pages, when there are some.
    TextLayout layout =
        setText(font.descriptor, codePage, command.text, defaultBaseline(font.descriptor.header));
    if (!layout.boxes.empty()) {
        int32_t baseline = 0;
        if (!chooseBaseline(command, font, baseline, error)) return fail(err, error);
        layout = setText(font.descriptor, codePage, command.text, baseline);
    }
    const int64_t width = int64_t{layout.width} * command.scale;
    const int64_t height = int64_t{layout.height} * command.scale;
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width > kMaxRenderSide || height > kMaxRenderSide || width * height > kMaxRenderPixels) {
        return fail(err, "the text makes an image of " + size + "; the most is " +
                             std::to_string(kMaxRenderSide) + " a side and " +
                             counted(kMaxRenderPixels, "pixel", "pixels") + " in all");
    }
    if (layout.width == 0) return fail(err, "the text leaves nothing to see");
    if (!refuseOverwritingInputs(font, {command.output}, error)) return fail(err, error);
    Surface image;
    if (!renderText(layout, font, command.background, image, error) ||
        !writePng(command.output.c_str(), image, PngAlpha::Drop, command.scale, error)) {
        return fail(err, error);
    }
    if (!layout.missing.empty()) {
        err += "gfd: " + command.font + " has no glyph for " + missingReport(layout.missing, codePage) +
               "; each is an empty box\n";
    }
    out += command.output + ": " + size + "\n";
    return kExitDone;
}

int runExport(const Command& command, std::string& out, std::string& err) {
    CodePage932 codePage;
    Font font;
    std::string error;
    if (!openUsableFont(command.font, codePage, font, error)) return fail(err, error);
    int32_t base = 0;
    std::vector<uint16_t> unmapped;
    if (!refuseOverwritingInputs(font, exportedFiles(command.output, font.descriptor.header.pageCount),
                                 error) ||
        !chooseBaseline(command, font, base, error) ||
        !exportFnt(font, codePage, command.output, base, unmapped, error)) {
        return fail(err, error);
    }
    if (!unmapped.empty()) {
        std::string codes;
        for (uint16_t code : unmapped) codes += (codes.empty() ? "" : ", ") + codeName(code);
        err += "gfd: " + counted(unmapped.size(), "character", "characters") +
               " with a glyph but no Unicode character left out: " + codes + "\n";
    }
    out += command.output + ": " + counted(font.descriptor.header.pageCount, "page", "pages") + ", " +
           counted(font.descriptor.header.glyphCount, "glyph", "glyphs") + "\n";
    return kExitDone;
}

}  // namespace

int runCommand(const Command& command, std::string& out, std::string& err) {
    // Every allocation is bounded by the files and the command line, but
    // the system may still refuse one: that is a failed command, not a
    // crash.
    try {
        switch (command.kind) {
            case CommandKind::Check:
                return runCheck(command, out, err);
            case CommandKind::Render:
                return runRender(command, out, err);
            case CommandKind::Export:
                return runExport(command, out, err);
            case CommandKind::Help:
                break;
        }
    } catch (const std::bad_alloc&) {
        return fail(err, "there is not enough memory for this command");
    }
    out += kUsage;
    return kExitDone;
}
