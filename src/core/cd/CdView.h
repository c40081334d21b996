#pragma once
// What the CD mode shows in the window: the CD track list, the four CD fields and the
// source tab. Implemented by the main window's CD panel; until it exists, nothing shows.
#include <string>
#include <vector>

#include "core/cd/CdFields.h"

// The tabs of the browser's source switch.
enum class SourceTab { Files = 0, CdAudio = 1 };

class CdView {
public:
    virtual ~CdView() = default;

    virtual std::vector<std::string> entries() const = 0;
    virtual void setEntries(const std::vector<std::string>& entries) = 0;
    virtual CdFields fields() const = 0;
    virtual void setFields(const CdFields& fields) = 0;
    // Disabling a field that has the input focus does not count as leaving it: nothing is
    // stored.
    virtual void enableFields(bool enabled) = 0;
    // True while one of the four fields holds the input focus (the user may be typing).
    virtual bool fieldHasFocus() const = 0;
    // Acts as a click on the tab when it changes the selection.
    virtual void selectTab(SourceTab tab) = 0;

    // No window: nothing shows, nothing is typed.
    static CdView& none()
    {
        struct Nowhere final : CdView {
            std::vector<std::string> entries() const override { return {}; }
            void setEntries(const std::vector<std::string>&) override {}
            CdFields fields() const override { return CdFields::prompts(); }
            void setFields(const CdFields&) override {}
            void enableFields(bool) override {}
            bool fieldHasFocus() const override { return false; }
            void selectTab(SourceTab) override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
