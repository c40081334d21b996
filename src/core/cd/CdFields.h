#pragma once
// The four texts of the CD panel: title, author, category and the notes (lines separated by
// "\n" as the panel shows them).
#include <string>

struct CdFields {
    static constexpr const char* kTitlePrompt = "Enter CD Title Here";
    static constexpr const char* kAuthorPrompt = "Enter CD Author Here.";
    static constexpr const char* kCategoryPrompt = "Enter CD Category Here";
    static constexpr const char* kMiscPrompt = "You can enter other cd information in this area.";

    std::string title;
    std::string author;
    std::string category;
    std::string misc;

    // What a cleared panel shows.
    static CdFields prompts() { return {kTitlePrompt, kAuthorPrompt, kCategoryPrompt, kMiscPrompt}; }

    friend bool operator==(const CdFields&, const CdFields&) = default;
};
