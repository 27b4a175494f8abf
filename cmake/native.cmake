# The native build: the platform-free code, its unit tests and, with clang, the fuzz target.
enable_testing()

if(TS_SANITIZE)
    set(ts_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(ts_core PUBLIC ${ts_sanitize_flags})
    target_link_options(ts_core PUBLIC ${ts_sanitize_flags})
endif()

find_package(GTest REQUIRED)
file(GLOB ts_unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${ts_unit_sources})
target_link_libraries(unit_tests PRIVATE ts_core GTest::gtest GTest::gmock GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${ts_warnings})
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
    add_subdirectory(tests/fuzz)
endif()
