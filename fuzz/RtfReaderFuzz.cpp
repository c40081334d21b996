// Feeds arbitrary bytes to the RTF reader as if they were a rich-text document and lays the
// result out, as the viewer would show it. The reader must end cleanly on anything.
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <string_view>

#include "Txtgfxvs/RtfReader.h"

// Font configuration keeps its caches until exit; leaks are ours only outside it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTextDocument document;
    RtfReader::read(std::string_view(reinterpret_cast<const char*>(data), size), document);
    document.setTextWidth(400);
    (void)document.size();
    (void)document.toPlainText();
    return 0;
}
