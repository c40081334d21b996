#include "core/formats/TipOfDayFile.h"

#include <algorithm>
#include <optional>

#include "core/base/AsciiText.h"
#include "core/base/IoErrorText.h"
#include "core/base/TextLines.h"
#include "core/formats/PlaylistText.h"
#include "core/formats/ProfileFile.h"

TipOfDayFile::TipOfDayFile(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitTextLines(WithoutByteOrderMark(text));
    const std::string_view countLine = lines.empty() ? std::string_view() : lines.front();
    const std::optional<int> declared = ProfileFile::parseInteger(TrimBlanks(countLine));
    if (!declared)
        throw SonorailError(IoErrorText::notValidInteger(std::string(countLine)));
    const std::size_t present = lines.size() - 1;  // the count line is there: it parsed
    const std::size_t shown = std::min(present, static_cast<std::size_t>(std::max(*declared, 0)));
    tips.assign(lines.begin() + 1, lines.begin() + 1 + static_cast<std::ptrdiff_t>(shown));
}
