#pragma once
// The CD-Text a disc carries, as the drive or image gives it (UTF-8); empty texts where the
// disc has none.
#include <string>
#include <vector>

struct DiscText {
    std::string albumTitle;
    std::string performer;
    // One for each track in the disc's order, from its first track; shorter when the disc
    // names fewer.
    std::vector<std::string> trackTitles;

    bool empty() const
    {
        if (!albumTitle.empty() || !performer.empty())
            return false;
        for (const std::string& title : trackTitles)
            if (!title.empty())
                return false;
        return true;
    }
};
