// The results file: a text-mode output stream whose file only ever holds whole lines.
//
// Each flush (every end of line of the report pair) hands the buffered line to the operating
// system in one write, so the file is complete up to the last line however the process ends.
// When a write fails (a full disk, say) the file is cut back to the end of the last whole
// line, closed, and the stream stays in its failure state: later lines are dropped silently.
#pragma once

#include <cstdio>
#include <ostream>
#include <streambuf>

class ResultsFileBuffer : public std::streambuf {
 public:
  ResultsFileBuffer();
  ~ResultsFileBuffer() override;
  ResultsFileBuffer(const ResultsFileBuffer&) = delete;
  ResultsFileBuffer& operator=(const ResultsFileBuffer&) = delete;

  // Creates or truncates the file; false when it cannot be opened.
  bool open(const char* name);
  // Writes what is pending and closes; false when there was nothing open or the write failed.
  bool close();
  bool is_open() const { return file_ != nullptr; }

 protected:
  int_type overflow(int_type ch) override;
  int sync() override;

 private:
  // Writes the buffered bytes; on failure cuts the file back and closes it.
  bool write_pending(bool line_complete);

  std::FILE* file_ = nullptr;
  long whole_length_ = 0;  // bytes of the file up to the end of the last whole line
  char buffer_[4096];
};

class ResultsFileStream : public std::ostream {
 public:
  ResultsFileStream() : std::ostream(&buffer_) {}

  // Like std::ofstream: a failed open puts the stream into its failure state.
  void open(const char* name);
  void close();
  bool is_open() const { return buffer_.is_open(); }

 private:
  ResultsFileBuffer buffer_;
};
