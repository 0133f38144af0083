// The text of the screens workload, apart from GL: the address item and the drawn block.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

// An address item: the address of the screen text as 16 upper-case hexadecimal digits,
// zero-padded, no prefix.
inline constexpr int ADDRESS_ITEM_DIGITS = 16;

// The plain phase: 8192 items on the console, 131072 characters.
inline constexpr int PLAIN_ITEM_COUNT = 8192;
inline constexpr double PLAIN_CHARACTER_COUNT = 131072;
static_assert(PLAIN_ITEM_COUNT * ADDRESS_ITEM_DIGITS == 131072);

// The drawn block: 50 lines of 8 items and a newline, 6450 characters.
inline constexpr int SCREEN_LINES = 50;
inline constexpr int ITEMS_PER_LINE = 8;
inline constexpr std::size_t SCREEN_TEXT_CAPACITY = 8192;
inline constexpr double CHARACTERS_PER_FRAME = 6450;
static_assert(SCREEN_LINES * (ITEMS_PER_LINE * ADDRESS_ITEM_DIGITS + 1) == 6450);

// Inserts count address items of address into out, one formatted insertion each, nothing
// between them, no flush. The stream's base, case, width and fill are as before afterwards.
void write_address_items(std::ostream& out, const void* address, int count);

// The block's 50 lines, each of 8 address items and a newline.
void write_screen_lines(std::ostream& out, const void* address);

// Copies at most capacity - 1 characters of text into buffer, then a terminating zero.
void copy_bounded(const std::string& text, char* buffer, std::size_t capacity);
