// The results file stream: numbers in the default format, every line on disk as soon as it
// ends, and only whole lines when the disk refuses a write.
#include "harness/results_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class ResultsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("results_file_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    path_ = (folder_ / "results.txt").string();
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }
  std::string contents() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }

  fs::path folder_;
  std::string path_;
};

TEST_F(ResultsFileTest, WritesNumbersInTheStreamDefaultFormat) {
  ResultsFileStream file;
  file.open(path_.c_str());
  ASSERT_TRUE(file.good());
  const double zero = 0.0;
  file << 0.016 << ' ' << 2.0 << ' ' << 0.5 << ' ' << 1e6 << ' ' << 1e-5 << ' ' << 1234567.0 << ' '
       << 0.000123456789 << ' ' << 1.0 / zero << std::endl;
  file << std::int64_t{-9000000000} << ' ' << std::numeric_limits<std::int32_t>::max() << ' ' << 7
       << std::endl;
  EXPECT_EQ(contents(),
            "0.016 2 0.5 1e+06 1e-05 1.23457e+06 0.000123457 inf\n"
            "-9000000000 2147483647 7\n");
}

TEST_F(ResultsFileTest, EveryEndOfLineReachesTheFileAtOnce) {
  ResultsFileStream file;
  file.open(path_.c_str());
  file << "first line" << std::endl;
  EXPECT_EQ(contents(), "first line\n");
  file << "second ";
  file << 2 << std::endl;
  EXPECT_EQ(contents(), "first line\nsecond 2\n");
}

TEST_F(ResultsFileTest, OpenTruncatesAnExistingFile) {
  { std::ofstream(path_) << "an older run's lines\n"; }
  ResultsFileStream file;
  file.open(path_.c_str());
  EXPECT_TRUE(file.good());
  EXPECT_EQ(contents(), "");
}

TEST_F(ResultsFileTest, AFileThatCannotBeCreatedDropsEveryLine) {
  ResultsFileStream file;
  file.open((folder_ / "no such folder" / "results.txt").string().c_str());
  EXPECT_TRUE(file.fail());
  EXPECT_FALSE(file.is_open());
  file << "dropped" << std::endl;
  file.close();  // a close of a stream that never opened only sets its failure state
  EXPECT_TRUE(file.fail());
  EXPECT_FALSE(fs::exists(folder_ / "no such folder"));
}

TEST_F(ResultsFileTest, CloseKeepsEveryLine) {
  ResultsFileStream file;
  file.open(path_.c_str());
  file << "kept" << std::endl;
  file.close();
  EXPECT_FALSE(file.fail());
  EXPECT_EQ(contents(), "kept\n");
}

TEST_F(ResultsFileTest, ALineLongerThanTheBufferArrivesWhole) {
  ResultsFileStream file;
  file.open(path_.c_str());
  const std::string long_line(10000, 'x');
  file << long_line << std::endl;
  EXPECT_EQ(contents(), long_line + "\n");
}

// A file size limit stands in for a full disk: the write that crosses it is cut short by
// the operating system, and the file must still end with a whole line.
TEST_F(ResultsFileTest, AFullDiskLeavesOnlyWholeLines) {
  const std::string line = "It was: 123456 Charaters/sec.";  // 29 characters and a newline
  const rlim_t limit = 100;                                  // room for 3 lines and a part
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size_limit{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &size_limit);
    ResultsFileStream file;
    file.open(path_.c_str());
    for (int i = 0; i < 10; ++i)
      file << line << std::endl;
    const bool failed = file.bad();
    file << "after the failure" << std::endl;
    file.close();
    ::_exit(failed ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the stream did not enter its failure state";
  EXPECT_EQ(contents(), line + "\n" + line + "\n" + line + "\n");
}

}  // namespace
