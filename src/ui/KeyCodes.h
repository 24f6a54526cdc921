#pragma once

namespace tlx4r::ui {

// Codes of keys that type no character, as the forms' key-down handlers see them (the old
// platform's numbers). Views translate their toolkit's keys into these.
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyInsert = 45;
inline constexpr int kKeyDelete = 46;

}  // namespace tlx4r::ui
