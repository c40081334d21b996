// Feeds arbitrary bytes to the RTF reader as if they were a rich-text document and lays the
// result out, as the viewer would show it. The reader must end cleanly on anything.
#include <QTextDocument>

#include <cstdint>
#include <string_view>

#include "ui/viewer/RtfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTextDocument document;
    RtfReader::read(std::string_view(reinterpret_cast<const char*>(data), size), document);
    document.setTextWidth(400);
    (void)document.size();
    (void)document.toPlainText();
    return 0;
}
