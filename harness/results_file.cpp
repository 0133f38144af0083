#include "harness/results_file.h"

#include "harness/platform.h"

ResultsFileBuffer::ResultsFileBuffer() {
  setp(buffer_, buffer_ + sizeof buffer_);
}

ResultsFileBuffer::~ResultsFileBuffer() {
  close();
}

bool ResultsFileBuffer::open(const char* name) {
  if (file_ != nullptr) return false;
  file_ = std::fopen(name, "w");
  if (file_ == nullptr) return false;
  // Unbuffered: every write below reaches the operating system at once, and nothing is left
  // in the runtime's buffer to land after a cut-back.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  whole_length_ = 0;
  setp(buffer_, buffer_ + sizeof buffer_);
  return true;
}

bool ResultsFileBuffer::close() {
  if (file_ == nullptr) return false;
  const bool written = write_pending(true);
  if (file_ == nullptr) return false;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return written && closed;
}

ResultsFileBuffer::int_type ResultsFileBuffer::overflow(int_type ch) {
  // A line longer than the buffer goes out in pieces; only a flush completes it.
  if (file_ == nullptr || !write_pending(false)) return traits_type::eof();
  if (!traits_type::eq_int_type(ch, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
  }
  return traits_type::not_eof(ch);
}

int ResultsFileBuffer::sync() {
  if (file_ == nullptr) {
    setp(buffer_, buffer_ + sizeof buffer_);
    return -1;
  }
  return write_pending(true) ? 0 : -1;
}

bool ResultsFileBuffer::write_pending(bool line_complete) {
  const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_, buffer_ + sizeof buffer_);
  const bool written = pending == 0 || std::fwrite(buffer_, 1, pending, file_) == pending;
  if (written) {
    if (line_complete) {
      const long length = std::ftell(file_);
      if (length >= 0) whole_length_ = length;
    }
    return true;
  }
  truncate_file(file_, whole_length_);
  std::fclose(file_);
  file_ = nullptr;
  return false;
}

void ResultsFileStream::open(const char* name) {
  if (buffer_.open(name)) {
    clear();
  } else {
    setstate(failbit);
  }
}

void ResultsFileStream::close() {
  if (!buffer_.close()) setstate(failbit);
}
