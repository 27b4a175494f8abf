// The integer input mode of the minutes field: what typing lets through, and the text the
// field keeps when it loses the focus.
#pragma once

#include <string>
#include <string_view>

namespace ts {

// Typing filter: control characters (below 0x20) always pass; of the rest only '-' and the
// digits 0 to 9. Pasted text is not filtered.
bool IntegerFieldAccepts(char16_t character);

// The leading decimal integer of the text, clamped to the signed 32-bit range and written
// without leading zeros; 0 becomes the empty text.
std::u16string NormaliseIntegerText(std::u16string_view text);

}  // namespace ts
