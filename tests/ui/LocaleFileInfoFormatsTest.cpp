// The file-information line as the user's locale writes it: a comma-separator locale and a
// German one, set as the default the way the program takes the user's.
#include "ui/files/LocaleFileInfoFormats.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

class LocaleFileInfoFormatsTest : public ::testing::Test {
protected:
    ~LocaleFileInfoFormatsTest() override { QLocale::setDefault(QLocale::system()); }

    std::string line(const char* locale, std::uint64_t size, int hour, int minute, int second)
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        std::tm time{};
        time.tm_year = 2024 - 1900;
        time.tm_mon = 2;
        time.tm_mday = 9;
        time.tm_hour = hour;
        time.tm_min = minute;
        time.tm_sec = second;
        time.tm_isdst = -1;
        FileFacts facts;
        facts.size = size;
        facts.lastWrite = std::mktime(&time);
        return FileInfoText("song.mid", facts, LocaleFileInfoFormats());
    }
};

TEST_F(LocaleFileInfoFormatsTest, ACommaSeparatorLocaleGroupsWithCommasAndWritesItsOwnDateAndTime)
{
    EXPECT_EQ(line("en_US", 1234567, 14, 5, 7), "song.mid:  1,234,567 bytes.  3/9/24 2:05:07 PM");
    EXPECT_EQ(line("en_US", 5368709120ULL, 0, 0, 0), "song.mid:  5,368,709,120 bytes.  3/9/24");
    EXPECT_EQ(line("en_US", 0, 0, 0, 1), "song.mid:  0 bytes.  3/9/24 12:00:01 AM");
}

TEST_F(LocaleFileInfoFormatsTest, AGermanLocaleGroupsWithDotsAndWritesItsOwnDateAndTime)
{
    EXPECT_EQ(line("de_DE", 1234567, 14, 5, 7), "song.mid:  1.234.567 bytes.  09.03.24 14:05:07");
    EXPECT_EQ(line("de_DE", 5368709120ULL, 0, 0, 0), "song.mid:  5.368.709.120 bytes.  09.03.24");
    EXPECT_EQ(line("de_DE", 0, 23, 59, 58), "song.mid:  0 bytes.  09.03.24 23:59:58");
}

}  // namespace
