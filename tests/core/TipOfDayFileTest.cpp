// The tips file: the count line, the tips it counts, and files that miscount.
#include <gtest/gtest.h>

#include "core/formats/TipOfDayFile.h"
#include "support/ErrorOf.h"

namespace {

std::vector<std::string> tipsOf(const std::string& text)
{
    TipOfDayFile file(text);
    std::vector<std::string> tips;
    for (std::size_t index = 0; index < file.count(); ++index)
        tips.push_back(file.tip(index));
    return tips;
}

using Tips = std::vector<std::string>;

TEST(TipOfDayFileTest, TheCountLineIsNeverATipAndLinesAfterTheCountedOnesAreNeverShown)
{
    EXPECT_EQ(tipsOf("1\r\nOnly tip\r\n"), Tips{"Only tip"});
    EXPECT_EQ(tipsOf("2\r\nFirst\r\nSecond\r\nNot a tip\r\n"), (Tips{"First", "Second"}));
    // Lines end the way any editor ends them; a last line needs no line end.
    EXPECT_EQ(tipsOf("2\nFirst\rSecond"), (Tips{"First", "Second"}));
}

TEST(TipOfDayFileTest, CountsThatDoNotMatchTheFileGiveOnlyLinesThatAreThere)
{
    EXPECT_EQ(tipsOf("0\r\nUncounted\r\n"), Tips{});
    EXPECT_EQ(tipsOf("-3\r\nUncounted\r\n"), Tips{});
    EXPECT_EQ(tipsOf("45\r\nOne\r\nTwo\r\n"), (Tips{"One", "Two"}));
    EXPECT_EQ(tipsOf("2147483647\r\n"), Tips{});
    // A blank line that is counted is a tip like any other: the file says so.
    EXPECT_EQ(tipsOf("2\r\n\r\nSecond\r\n"), (Tips{"", "Second"}));
}

TEST(TipOfDayFileTest, TheCountMayCarryBlanksAndAByteOrderMark)
{
    EXPECT_EQ(tipsOf(" 1 \r\nTip\r\n"), Tips{"Tip"});
    EXPECT_EQ(tipsOf("\xEF\xBB\xBF"
                     "1\r\nTip\r\n"),
              Tips{"Tip"});
    EXPECT_EQ(tipsOf("$2\r\nA\r\nB\r\n"), (Tips{"A", "B"}));
}

TEST(TipOfDayFileTest, AFirstLineThatIsNoNumberIsRefusedWithTheLine)
{
    EXPECT_EQ(errorOf([] { TipOfDayFile("abc\r\nTip\r\n"); }), "'abc' is not a valid integer value");
    EXPECT_EQ(errorOf([] { TipOfDayFile("12 tips\r\n"); }), "'12 tips' is not a valid integer value");
    EXPECT_EQ(errorOf([] { TipOfDayFile(""); }), "'' is not a valid integer value");
    EXPECT_EQ(errorOf([] { TipOfDayFile("99999999999\r\n"); }), "'99999999999' is not a valid integer value");
}

}  // namespace
