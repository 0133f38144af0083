// Names and paths of the results file: pure text, no file system access.
#pragma once

#include <ctime>
#include <string>

// Capacity of the file name, terminator included.
inline constexpr std::size_t RESULTS_NAME_CAPACITY = 1024;

// The file name that strftime makes of name_template and the local start time; empty when
// the expansion does not fit RESULTS_NAME_CAPACITY.
std::string expand_results_name(const char* name_template, const std::tm& local_start);

// The path line's location: directory, separator, name. The string grows as needed, so a
// directory of any length gives the whole path. An unknown (empty) directory gives the bare
// name, which still names the file relative to where the program was started.
std::string compose_results_path(const std::string& directory, char separator,
                                 const std::string& name);
