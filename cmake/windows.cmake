# The Windows build: timed-shutdown.exe, a PE32 GUI program for Windows 95 and later that
# imports only system DLLs, and the end-to-end tests that drive it under Wine.
set(ts_size_flags -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections -fno-threadsafe-statics)
target_compile_options(ts_core PRIVATE ${ts_size_flags})
target_compile_definitions(ts_core PUBLIC WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400)

add_executable(timed-shutdown WIN32 ${ts_win_sources} ${CMAKE_SOURCE_DIR}/resources/timed-shutdown.rc)
target_link_libraries(timed-shutdown PRIVATE ts_core ole32 advapi32 gdi32 user32 kernel32)
target_compile_options(timed-shutdown PRIVATE ${ts_warnings} ${ts_size_flags})
target_link_options(timed-shutdown PRIVATE
    -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
set_target_properties(timed-shutdown PROPERTIES OUTPUT_NAME timed-shutdown
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/timed-shutdown.rc APPEND PROPERTY
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/default_icon.ico ${CMAKE_SOURCE_DIR}/resources/hand.cur)
target_compile_definitions(timed-shutdown PRIVATE
    TS_VERSION_COMMAS=${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0
    TS_VERSION_TEXT=${PROJECT_VERSION})
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

enable_testing()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
    add_subdirectory(tests/e2e)
endif()
