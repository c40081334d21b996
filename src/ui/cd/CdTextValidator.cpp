#include "ui/cd/CdTextValidator.h"

#include "core/cd/CdListing.h"
#include "core/cd/CdRecord.h"

namespace {

bool fits(const QString& text) { return CdListing::textFits(text.toStdString()); }

// text without its last character (both halves of a surrogate pair).
void chopCharacter(QString& text)
{
    const bool pair = text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate();
    text.chop(pair ? 2 : 1);
}

}  // namespace

// The new text ends what was typed or pasted at the cursor: that end is cut, what follows the
// cursor stays.
QValidator::State CdTextValidator::validate(QString& input, int& pos) const
{
    if (fits(input))
        return Acceptable;
    const QString after = input.mid(pos);
    if (!fits(after))
        return Invalid;
    // A field keeps no more characters than it has bytes: a longer start need not be tried.
    QString before = input.left(std::min<qsizetype>(pos, 2 * (CdRecord::kLongestText + 1)));
    do {
        chopCharacter(before);
    } while (!fits(before + after));
    input = before + after;
    pos = static_cast<int>(before.size());
    return Acceptable;
}
