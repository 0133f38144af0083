#include "screens/screen_text.h"

#include <cstdint>
#include <cstring>

void write_address_items(std::ostream& out, const void* address, int count) {
  const std::ios_base::fmtflags flags = out.flags();
  const char fill = out.fill();
  const auto value = reinterpret_cast<std::uintptr_t>(address);
  out.setf(std::ios_base::hex | std::ios_base::uppercase | std::ios_base::right,
           std::ios_base::basefield | std::ios_base::uppercase | std::ios_base::showbase |
               std::ios_base::adjustfield);
  out.fill('0');
  for (int item = 0; item < count; ++item) {
    out.width(ADDRESS_ITEM_DIGITS);  // every insertion resets the width
    out << static_cast<unsigned long long>(value);
  }
  out.fill(fill);
  out.flags(flags);
}

void write_screen_lines(std::ostream& out, const void* address) {
  for (int line = 0; line < SCREEN_LINES; ++line) {
    write_address_items(out, address, ITEMS_PER_LINE);
    out << '\n';
  }
}

void copy_bounded(const std::string& text, char* buffer, std::size_t capacity) {
  if (capacity == 0) return;
  const std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}
