#pragma once

#include <cstdint>

class TextArea;

// The selection operations of the Edit menu and the toolbar, by code.
namespace EditOperation {
inline constexpr std::int16_t Cut = 0;
inline constexpr std::int16_t Copy = 1;
inline constexpr std::int16_t Paste = 2;
inline constexpr std::int16_t Delete = 3;
inline constexpr std::int16_t SelectAll = 4;
} // namespace EditOperation

// Asks the text area to undo its last edit (an undo straight after an undo redoes it).
void UndoEdit(TextArea &text1);

// Runs one selection operation; any other code changes nothing.
void EditSelection(TextArea &text1, std::int16_t operation);
