#pragma once
// Where each control of the main window lies (client pixels, designed with the docked
// toolbar's strip at the top) and the Tag it carries: a command's number, or the negative
// index of the help area it belongs to.
#include <span>
#include <string_view>

struct ControlPlace {
    std::string_view name;
    int left;
    int top;
    int width;
    int height;
    int tag;
};

inline constexpr int kClientWidth = 488;
inline constexpr int kClientHeight = 404;
inline constexpr int kStatusBarHeight = 17;

std::span<const ControlPlace> MainWindowLayout();
