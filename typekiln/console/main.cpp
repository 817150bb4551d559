#include <clocale>
#include <cstdio>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "console/command_line.h"
#include "console/native_batch.h"
#include "console/terminal_text.h"
#include "glyphs/face_lookup.h"
#include "glyphs/freetype_version.h"

namespace {

const char kUsage[] =
    "使い方: typekiln 文字リスト.txt [/オプション...]\n"
    "        typekiln --faces | --version | --help\n"
    "\n"
    "Typekiln.exe のバッチモードと同じ引数で、同じファイルを書きます。\n"
    "文字リスト（Shift-JIS）と同じフォルダに、テクスチャとフォント情報（.gfd）ができます。\n"
    "\n"
    "  /out,名前            出力ファイルの名前（既定 font）\n"
    "  /face,フォント名     書体（既定 ＭＳ ゴシック）\n"
    "  /size,N              文字の大きさ（ピクセル）\n"
    "  /sample,N            サンプリング数（N 倍で描いて縮小）\n"
    "  /aspect,X,Y          横と縦のサイズ倍率\n"
    "  /color,R,G,B         文字の色\n"
    "  /edge,S,R,G,B        エッジ（太さ S）\n"
    "  /bevel,S,D,R,G,B     押し出し（深さ S、方向 D はテンキーの配置）\n"
    "  /bold /italic /fixpitch\n"
    "  /width,N /height,N   テクスチャの大きさ（0-4: 128-2048）\n"
    "  /format,N            0: 4ビット BMP, 1: 8ビット BMP, 2: 32ビット TGA\n"
    "\n"
    "  --faces              日本語を描ける書体の一覧\n"
    "  --version            版と、描画に使う FreeType の版\n"
    "\n"
    "終了コード: 0 書き込み完了、1 拒否または失敗、2 引数の誤り\n";

void printCodePage932(FILE* stream, const char* text) {
    std::fputs(terminalTextFromCodePage932(text).c_str(), stream);
}

}  // namespace

int main(int argc, char** argv) {
    // The terminal's encoding, for every message.
    std::setlocale(LC_ALL, "");
#ifdef __GLIBC__
    // A run takes and gives back glyph images of up to a few megabytes,
    // thousands of times over: the heap keeps some room at its top rather
    // than returning it to the system and faulting it in again each time.
    mallopt(M_TOP_PAD, 64 << 20);
#endif
    const CommandLine line = readCommandLine(argc, argv);
    switch (line.request) {
        case Request::Help:
            printCodePage932(stdout, kUsage);
            return 0;
        case Request::Version:
            std::printf("typekiln\n%s\n", freeTypeVersion().c_str());
            return 0;
        case Request::Faces:
            for (const std::string& name : japaneseFaceNames())
                std::printf("%s\n", terminalTextFromUtf8(name).c_str());
            return 0;
        case Request::BadArgument:
            std::fprintf(stderr, "typekiln: %s: %s\n", terminalTextFromCodePage932(line.problem).c_str(),
                         terminalTextFromUtf8(line.arguments[0]).c_str());
            printCodePage932(stderr, kUsage);
            return 2;
        case Request::Run:
            break;
    }
    if (line.arguments.size() < 2) {
        printCodePage932(stderr, kUsage);
        return 2;
    }
    return runNativeBatch(line.arguments, stderr);
}
