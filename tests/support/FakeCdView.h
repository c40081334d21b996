#pragma once
// The CD panel as the CD mode sees it: the list and the four fields, whether they are
// enabled, which field has the focus, and the tabs selected in order.
#include <string>
#include <vector>

#include "core/cd/CdView.h"

struct FakeCdView final : CdView {
    std::vector<std::string> shownEntries;
    CdFields shownFields = CdFields::prompts();
    bool enabled = false;
    bool typing = false;  // a field holds the focus
    std::vector<SourceTab> tabs;

    std::vector<std::string> entries() const override { return shownEntries; }
    void setEntries(const std::vector<std::string>& entries) override { shownEntries = entries; }
    CdFields fields() const override { return shownFields; }
    void setFields(const CdFields& fields) override { shownFields = fields; }
    void enableFields(bool on) override
    {
        enabled = on;
        typing = typing && on;
    }
    bool fieldHasFocus() const override { return typing; }
    void selectTab(SourceTab tab) override { tabs.push_back(tab); }
    SourceTab tab() const { return tabs.empty() ? SourceTab::Files : tabs.back(); }
};
