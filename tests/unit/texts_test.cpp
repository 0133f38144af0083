// The programs' own texts: banners, overlay help and its fill.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cube/settings.h"
#include "screens/settings.h"
#include "triangles/settings.h"

namespace {

struct ProgramTexts {
  const ProgramSettings* settings;
  const char* name;
  const char* esc_line;
};

class Texts : public ::testing::TestWithParam<ProgramTexts> {};

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (std::string::size_type end; (end = text.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST_P(Texts, OverlayHelpIsTheFourLinesAfterAnEmptyOne) {
  const std::string help = GetParam().settings->overlay_help_text;
  EXPECT_EQ(help.size(), 158u);
  const std::vector<std::string> expected = {"",
                                             "Press Key R or Press Mouse Left button to Animate.",
                                             "Press Key C to Animate Manually.",
                                             "Press Key P or Press Mouse Right button to Pause.",
                                             GetParam().esc_line,
                                             ""};
  EXPECT_EQ(split_lines(help), expected);
}

TEST_P(Texts, OverlayHelpIsSafeAsAFormat) {
  // It is handed to sprintf as the format: a conversion in it would read missing arguments.
  EXPECT_EQ(std::strchr(GetParam().settings->overlay_help_text, '%'), nullptr);
}

TEST_P(Texts, BannerNamesTheProgram) {
  EXPECT_EQ(std::string(GetParam().settings->banner_line),
            std::string("Vermora :: Veltrandion Benchmark Graphics ") + GetParam().name +
                " for Windows on x86 64bit system 2023.01.13.");
}

TEST_P(Texts, OverlayHelpFitsTheBoundedFill) {
  // cube and screens fill overlay_text with a bound of 1000 bytes: a longer help text would
  // be cut without a word.
  EXPECT_LT(std::strlen(GetParam().settings->overlay_help_text) + 1, 1000u);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, Texts,
    ::testing::Values(ProgramTexts{&triangles_settings, "Triangles", "Press Key Esc to Exit."},
                      ProgramTexts{&cube_settings, "Cube", "Press Key Esc to exit."},
                      ProgramTexts{&screens_settings, "Screens", "Press Key Esc to exit."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
