#include "harness/results_naming.h"

std::string expand_results_name(const char* name_template, const std::tm& local_start) {
  char name[RESULTS_NAME_CAPACITY];
  const std::size_t length = std::strftime(name, sizeof name, name_template, &local_start);
  return std::string(name, length);
}

std::string compose_results_path(const std::string& directory, char separator,
                                 const std::string& name) {
  if (directory.empty()) return name;
  std::string path;
  path.reserve(directory.size() + 1 + name.size());
  path += directory;
  path += separator;
  path += name;
  return path;
}
