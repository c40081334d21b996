#pragma once
// Names for a disc the CD information database does not know, asked of an online disc
// database without holding up the window. Implemented by the window layer; until it is
// attached, nothing is asked.
//
// At most one request is under way: a new one, or cancel(), drops the one before, whose
// callbacks are then never called. The callbacks run later, on the thread that asked,
// exactly one of them once per request that is not dropped.
#include <functional>
#include <string>

#include "core/playback/DiscTableOfContents.h"
#include "core/cd/LookedUpNames.h"

class DiscLookup {
public:
    struct Callbacks {
        std::function<void(const LookedUpNames&)> found;
        // Why there are no names, in a line for the information bar.
        std::function<void(const std::string&)> failed;
    };

    virtual ~DiscLookup() = default;

    // server: the database's address ("https://musicbrainz.org").
    virtual void lookUp(const DiscTableOfContents& toc, const std::string& server, Callbacks callbacks) = 0;
    virtual void cancel() = 0;

    // No lookup: nothing is ever asked or answered.
    static DiscLookup& none()
    {
        struct Nobody final : DiscLookup {
            void lookUp(const DiscTableOfContents&, const std::string&, Callbacks) override {}
            void cancel() override {}
        };
        static Nobody nobody;
        return nobody;
    }
};
