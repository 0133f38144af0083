// The little that differs between Windows and POSIX systems.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

#ifdef _WIN32
inline constexpr char PATH_SEPARATOR = '\\';
#else
inline constexpr char PATH_SEPARATOR = '/';
#endif

// Orders the program-wide objects that are built before main across files: lower first.
#if defined(__GNUC__) || defined(__clang__)
#define STATIC_INIT_ORDER(priority) __attribute__((init_priority(priority)))
#else
#define STATIC_INIT_ORDER(priority)
#endif
inline constexpr int INIT_ORDER_DATA_ARRAY = 200;
inline constexpr int INIT_ORDER_WORKING_DIRECTORY = 300;
inline constexpr int INIT_ORDER_RESULTS_STREAM = 310;
inline constexpr int INIT_ORDER_SCREEN_STREAM = 400;

// The current working directory, or an empty string when it cannot be determined (removed
// under the process, say). Any length: the runtime sizes the buffer.
std::string current_working_directory();

// The local broken-down form of a time.
std::tm local_time(std::time_t when);

// Cuts an open file back to length bytes; false when that fails.
bool truncate_file(std::FILE* file, long length);
