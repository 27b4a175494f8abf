#include "window/focus.h"

#include <algorithm>

namespace ts {
namespace {

bool CanTakeFocus(const ControlDescription& c) {
    return c.Visible && !c.Disabled && c.TabStop &&
           (c.Kind == ControlKind::EditBox || c.Kind == ControlKind::Button);
}

bool IsDefaultButton(const ControlDescription& c) {
    return c.Kind == ControlKind::Button && !c.Disabled && c.Button && c.Button->DefaultButton;
}

}  // namespace

std::vector<std::size_t> TabCycle(const WindowDescription& window) {
    std::vector<std::size_t> cycle;
    for (std::size_t i = window.ControlCount; i-- > 0;) {
        if (CanTakeFocus(window.Controls[i])) cycle.push_back(i);
    }
    // Walking the description backwards and sorting stably puts the later control first
    // among equal tab orders.
    std::stable_sort(cycle.begin(), cycle.end(), [&](std::size_t a, std::size_t b) {
        return window.Controls[a].TabOrder < window.Controls[b].TabOrder;
    });
    return cycle;
}

std::optional<std::size_t> DefaultFocus(const WindowDescription& window) {
    std::vector<std::size_t> cycle = TabCycle(window);
    if (cycle.empty()) return std::nullopt;
    return cycle.front();
}

std::optional<std::size_t> NextInTabCycle(const WindowDescription& window,
                                          std::optional<std::size_t> focused, bool backwards) {
    std::vector<std::size_t> cycle = TabCycle(window);
    if (cycle.empty()) return std::nullopt;
    auto at = focused ? std::find(cycle.begin(), cycle.end(), *focused) : cycle.end();
    if (at == cycle.end()) return backwards ? cycle.back() : cycle.front();
    std::size_t pos = static_cast<std::size_t>(at - cycle.begin());
    std::size_t n = cycle.size();
    return cycle[backwards ? (pos + n - 1) % n : (pos + 1) % n];
}

EnterAction EnterRule(const WindowDescription& window, std::optional<std::size_t> focused) {
    if (focused && *focused < window.ControlCount && IsDefaultButton(window.Controls[*focused])) {
        return {EnterAction::ClickButton, *focused};
    }
    if (window.EnterMovesFocus) return {EnterAction::MoveFocus, 0};
    for (std::size_t i = 0; i < window.ControlCount; ++i) {
        if (IsDefaultButton(window.Controls[i])) return {EnterAction::ClickButton, i};
    }
    return {};
}

}  // namespace ts
