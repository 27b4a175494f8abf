// Keyboard focus and the Tab, Shift+Tab and Enter keys, as functions of the description.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "window/description.h"

namespace ts {

// The controls that can take the focus: visible, enabled, an edit box or a button, with a tab
// stop. Sorted by TabOrder; among equal values the later control of the description first.
std::vector<std::size_t> TabCycle(const WindowDescription& window);

// Where the focus goes when the window gets it and remembers no control.
std::optional<std::size_t> DefaultFocus(const WindowDescription& window);

// The control after (or, backwards, before) the focused one, wrapping around. A focus outside
// the cycle moves to its first (or last) control.
std::optional<std::size_t> NextInTabCycle(const WindowDescription& window,
                                          std::optional<std::size_t> focused, bool backwards);

struct EnterAction {
    enum Kind { Nothing, ClickButton, MoveFocus } kind = Nothing;
    std::size_t button = 0;  // with ClickButton
};

// What Enter does with the focus on the given control (or on none of them).
EnterAction EnterRule(const WindowDescription& window, std::optional<std::size_t> focused);

}  // namespace ts
