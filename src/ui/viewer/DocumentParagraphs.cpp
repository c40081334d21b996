// Where the document views break their overlong paragraphs; kept apart from the views so
// that the RTF reader, which breaks paragraphs as it reads, needs no widget.
#include "ui/viewer/DocumentView.h"

namespace DocumentView {

qsizetype BreakWithin(QStringView text, qsizetype room)
{
    for (qsizetype at = room; at > room - room / 4; --at) {
        const QChar before = text[at - 1];
        if (before == QLatin1Char(' ') || before == QLatin1Char('\t'))
            return at;
    }
    return text[room - 1].isHighSurrogate() && room > 1 ? room - 1 : room;
}

qsizetype ParagraphBreak(QStringView line)
{
    return line.size() <= kLongestParagraph ? line.size() : BreakWithin(line, kLongestParagraph);
}

}  // namespace DocumentView
