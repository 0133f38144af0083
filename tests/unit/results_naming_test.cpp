// The results file's name and the path line that tells where it lies.
#include "harness/results_naming.h"

#include <gtest/gtest.h>

#include <string>

#include "cube/settings.h"
#include "screens/settings.h"
#include "triangles/settings.h"

namespace {

std::tm local(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

TEST(ResultsName, EachProgramNamesItsFileFromTheStartTime) {
  const std::tm start = local(2023, 1, 13, 14, 5, 9);
  EXPECT_EQ(expand_results_name(cube_settings.results_name_template, start),
            "results_cube_windows @ local date 2023.01.13 time 14.05.09.txt");
  EXPECT_EQ(expand_results_name(triangles_settings.results_name_template, start),
            "results_triangles_windows @ local date 2023.01.13 time 14.05.09.txt");
  EXPECT_EQ(expand_results_name(screens_settings.results_name_template, start),
            "results_screens_windows @ local date 2023.01.13 time 14.05.09.txt");
}

TEST(ResultsName, PadsEveryFieldToTwoDigits) {
  const std::tm t = local(2031, 12, 1, 0, 0, 0);
  EXPECT_EQ(expand_results_name(cube_settings.results_name_template, t),
            "results_cube_windows @ local date 2031.12.01 time 00.00.00.txt");
}

TEST(ResultsName, AnExpansionThatDoesNotFitGivesNoName) {
  const std::string long_template(RESULTS_NAME_CAPACITY + 10, 'x');
  EXPECT_EQ(expand_results_name(long_template.c_str(), local(2023, 1, 13, 14, 5, 9)), "");
}

TEST(ResultsPath, JoinsDirectorySeparatorAndName) {
  EXPECT_EQ(compose_results_path("/home/user/bench", '/', "r.txt"), "/home/user/bench/r.txt");
  EXPECT_EQ(compose_results_path("C:\\Bench", '\\', "r.txt"), "C:\\Bench\\r.txt");
  // A root keeps its own separator, so two stand in a row, as at a drive root.
  EXPECT_EQ(compose_results_path("C:\\", '\\', "r.txt"), "C:\\\\r.txt");
  EXPECT_EQ(compose_results_path("/", '/', "r.txt"), "//r.txt");
}

TEST(ResultsPath, AnUnknownDirectoryGivesTheBareName) {
  EXPECT_EQ(compose_results_path("", '/', "r.txt"), "r.txt");
}

TEST(ResultsPath, GrowsPastAnyFixedBuffer) {
  const std::string directory = "/" + std::string(5000, 'd');
  const std::string path = compose_results_path(directory, '/', "r.txt");
  EXPECT_EQ(path.size(), directory.size() + 1 + 5);
  EXPECT_EQ(path.substr(path.size() - 6), "/r.txt");
}

}  // namespace
