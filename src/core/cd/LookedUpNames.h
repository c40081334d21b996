#pragma once
// What an online disc database tells about a disc: the texts of the CD panel's four fields
// and the track titles in track order (UTF-8, not yet cut to the record's fields).
#include <string>
#include <vector>

struct LookedUpNames {
    std::string title;
    std::string author;
    std::string category;
    std::string notes;  // lines separated by "\n"
    std::vector<std::string> trackTitles;

    friend bool operator==(const LookedUpNames&, const LookedUpNames&) = default;
};
