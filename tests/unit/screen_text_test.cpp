// The screens workload's text: the address item and the block drawn in every frame.
#include "screens/screen_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <string>

namespace {

bool all_upper_hex(const std::string& text) {
  return text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

TEST(AddressItem, IsSixteenUpperCaseDigitsOfTheAddress) {
  char block[64];
  std::ostringstream out;
  write_address_items(out, block, 1);
  const std::string item = out.str();
  ASSERT_EQ(item.size(), 16u);
  EXPECT_TRUE(all_upper_hex(item)) << item;
  EXPECT_EQ(std::stoull(item, nullptr, 16), reinterpret_cast<std::uintptr_t>(block));
}

TEST(AddressItem, SmallAddressesArePaddedWithZeros) {
  std::ostringstream out;
  write_address_items(out, reinterpret_cast<const void*>(std::uintptr_t{0xAB}), 2);
  EXPECT_EQ(out.str(), "00000000000000AB00000000000000AB");
}

TEST(AddressItem, LeavesTheStreamFormattingAsFound) {
  std::ostringstream out;
  const std::ios_base::fmtflags before = out.flags();
  write_address_items(out, &out, 3);
  EXPECT_EQ(out.flags(), before);
  EXPECT_EQ(out.fill(), ' ');
  EXPECT_EQ(out.width(), 0);
  out << ' ' << 255 << ' ' << 0.5 << ' ' << 1e6;
  EXPECT_EQ(out.str().substr(48), " 255 0.5 1e+06");
}

TEST(AddressItem, IgnoresWhateverTheStreamWasSetTo) {
  std::ostringstream out;
  out << std::showbase << std::left << std::setfill('*') << std::oct;
  write_address_items(out, reinterpret_cast<const void*>(std::uintptr_t{0xAB}), 1);
  EXPECT_EQ(out.str(), "00000000000000AB");
  EXPECT_EQ(out.fill(), '*');
  EXPECT_TRUE(out.flags() & std::ios_base::showbase);
  EXPECT_TRUE(out.flags() & std::ios_base::oct);
}

TEST(ScreenBlock, IsFiftyLinesOfEightItems) {
  char text[SCREEN_TEXT_CAPACITY] = {};
  std::ostringstream stream;
  write_screen_lines(stream, text);
  copy_bounded(stream.str(), text, sizeof text);

  std::ostringstream one;
  write_address_items(one, text, 1);
  const std::string item = one.str();
  std::string line;
  for (int i = 0; i < 8; ++i)
    line += item;
  line += '\n';

  ASSERT_EQ(std::strlen(text), 6450u);
  for (int l = 0; l < 50; ++l) {
    EXPECT_EQ(std::string(text + l * 129, 129), line) << "line " << l;
  }
  for (std::size_t i = 6450; i < sizeof text; ++i)
    ASSERT_EQ(text[i], '\0') << i;
}

TEST(ScreenBlock, BoundedCopyKeepsRoomForTheTerminator) {
  char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  copy_bounded("0123456789", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "0123456");
  copy_bounded("ab", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "ab");
}

}  // namespace
