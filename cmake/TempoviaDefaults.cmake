# Warning and sanitizer flags shared by every target of the project.
set(TEMPOVIA_WARNINGS -Wall -Wextra -Wpedantic)
if(TEMPOVIA_WERROR)
  list(APPEND TEMPOVIA_WARNINGS -Werror)
endif()

# float-cast-overflow is not part of "undefined" in GCC; stored doubles come
# from files written elsewhere, so casting one out of int's range must show.
if(TEMPOVIA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
  # LeakSanitizer is told of Qt's and fontconfig's allocations that live as
  # long as the process; a run of ctest by hand needs the same.
  set(TEMPOVIA_TEST_ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
endif()

# The libFuzzer targets under fuzz/ need clang; they come with the sanitizer
# build, and every library they reach carries the coverage the fuzzer steers by.
include(CMakeDependentOption)
cmake_dependent_option(TEMPOVIA_FUZZ "Build the libFuzzer targets (clang, with TEMPOVIA_SANITIZE)" ON
                       "TEMPOVIA_SANITIZE;CMAKE_CXX_COMPILER_ID STREQUAL \"Clang\"" OFF)
if(TEMPOVIA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The download runs its transfers on a worker thread; its tests also run under
# ThreadSanitizer in a small build of their own.
if(TEMPOVIA_SANITIZE_THREAD)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Applies the project's warnings to a target we own (never to third-party code).
function(tempovia_defaults target)
  target_compile_options(${target} PRIVATE ${TEMPOVIA_WARNINGS})
endfunction()

# Adds a GoogleTest executable for one layer and registers its cases with ctest.
#   tempovia_add_gtest(NAME records_tests SOURCES a.cpp b.cpp LIBS tempovia_records)
# TEST_SUFFIX tells apart the cases of one source built into several binaries
# (run under different environments).
function(tempovia_add_gtest)
  cmake_parse_arguments(T "" "NAME;TEST_SUFFIX" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  tempovia_defaults(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(environment ${T_ENVIRONMENT} ${TEMPOVIA_TEST_ENVIRONMENT})
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    TEST_SUFFIX "${T_TEST_SUFFIX}"
    PROPERTIES ENVIRONMENT "${environment}")
endfunction()

# Adds a GoogleTest executable whose main creates a QApplication first (see
# tests/support/QtTestMain.cpp); every case runs on the offscreen platform.
# MAIN names another main, such as tempovia_qt_two_screen_test_main.
#   tempovia_add_qt_gtest(NAME widgets_tests SOURCES a.cpp LIBS tempovia_widgets)
function(tempovia_add_qt_gtest)
  cmake_parse_arguments(T "" "NAME;MAIN" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  if(NOT T_MAIN)
    set(T_MAIN tempovia_qt_test_main)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  tempovia_defaults(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ${T_MAIN} GTest::gtest GTest::gmock)
  set(environment QT_QPA_PLATFORM=offscreen ${T_ENVIRONMENT} ${TEMPOVIA_TEST_ENVIRONMENT})
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${environment}")
endfunction()
