#include "harness/platform.h"

#include <cstdlib>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

std::string current_working_directory() {
#ifdef _WIN32
  char* path = _getcwd(nullptr, 0);
#else
  char* path = getcwd(nullptr, 0);
#endif
  if (path == nullptr) return std::string();
  std::string directory(path);
  std::free(path);
  return directory;
}

std::tm local_time(std::time_t when) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  return local;
}

bool truncate_file(std::FILE* file, long length) {
#ifdef _WIN32
  return _chsize(_fileno(file), length) == 0;
#else
  return ftruncate(fileno(file), length) == 0;
#endif
}
