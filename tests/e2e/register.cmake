# The end-to-end tests: pytest under Debian's Python, one CTest entry per file.
set(E2E_PYTEST /usr/bin/python3 -m pytest -q -p no:cacheprovider -o console_output_style=classic)

function(add_e2e_test name)
  cmake_parse_arguments(E2E "" "TIMEOUT" "ENVIRONMENT" ${ARGN})
  if(NOT E2E_TIMEOUT)
    set(E2E_TIMEOUT 600)
  endif()
  add_test(NAME e2e.${name}
           COMMAND ${E2E_PYTEST} ${CMAKE_CURRENT_LIST_DIR}/test_${name}.py
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e.${name} PROPERTIES
    TIMEOUT ${E2E_TIMEOUT}
    ENVIRONMENT "BENCH_BUILD_DIR=${CMAKE_BINARY_DIR};${E2E_ENVIRONMENT}")
endfunction()

if(BENCH_SANITIZE)
  # The GL driver's own allocations are unloaded with it before exit, so leaks cannot be
  # told apart from ours in the programs; the unit tests keep leak detection.
  set(sanitizer_options
      "ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=0"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  add_e2e_test(sanitized_sessions ENVIRONMENT ${sanitizer_options})
  add_e2e_test(fuzz TIMEOUT 900 ENVIRONMENT ${sanitizer_options})
  add_e2e_test(faults ENVIRONMENT ${sanitizer_options})
else()
  add_e2e_test(startup)
  add_e2e_test(run_control)
  add_e2e_test(gl_stream)
  add_e2e_test(screens)
  add_e2e_test(faults)
  add_e2e_test(fuzz TIMEOUT 900)
  add_e2e_test(valgrind TIMEOUT 900)
  add_e2e_test(cube TIMEOUT 900)
  add_e2e_test(gl_cube TIMEOUT 900)
  add_e2e_test(suite TIMEOUT 900)
  add_e2e_test(triangles TIMEOUT 1200)
  # The Windows executables under Wine, where the cross toolchain is installed (./test
  # installs it and runs ./build-windows first).
  find_program(WINE_PROGRAM wine)
  find_program(MINGW_CXX x86_64-w64-mingw32-g++)
  if(WINE_PROGRAM AND MINGW_CXX)
    add_e2e_test(windows TIMEOUT 900
                 ENVIRONMENT "BENCH_WINDOWS_BUILD_DIR=${PROJECT_SOURCE_DIR}/build-win64")
  endif()
endif()
