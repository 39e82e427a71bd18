# Settings for the project's own targets (not for GoogleTest or other third-party code).

if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Nothing but the system's own DLLs may be needed beside the host.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Programs and the DLLs they load side by side.
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

# qv_project_target(<target>): warnings as errors for code we write.
function(qv_project_target target)
  target_compile_options(${target} PRIVATE
    # No -Wnon-virtual-dtor: COM interfaces have no virtual destructor by design.
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough
    -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Test names carry the platform, so that one ctest run over all presets tells them apart.
if(NOT WIN32)
  set(QV_PLATFORM native)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QV_PLATFORM win64)
else()
  set(QV_PLATFORM win32)
endif()

# qv_test(<name> [DESKTOP] SOURCES ... LIBS ...): a GoogleTest program run as one ctest test.
# Windows programs run under the Wine runner (CMAKE_CROSSCOMPILING_EMULATOR); it answers 77
# where the machine cannot run them at all. DESKTOP marks a program that needs the foreground
# window, the focus or the keyboard: such programs share one display and must not run at once.
function(qv_test name)
  cmake_parse_arguments(ARG "DESKTOP" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  qv_project_target(${name})
  if(WIN32)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/windows_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  add_test(NAME ${QV_PLATFORM}.${name} COMMAND ${name})
  set_tests_properties(${QV_PLATFORM}.${name} PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
  if(ARG_DESKTOP)
    set_property(TEST ${QV_PLATFORM}.${name} APPEND PROPERTY RESOURCE_LOCK desktop)
  endif()
endfunction()

# qv_benchmark(<name> SOURCES ... LIBS ...): a Google Benchmark program, run by `make bench` only.
function(qv_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  qv_project_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  add_test(NAME ${QV_PLATFORM}.${name} COMMAND ${name})
  set_tests_properties(${QV_PLATFORM}.${name} PROPERTIES LABELS bench)
endfunction()

# qv_host_benchmark(<name> SOURCES ... LIBS ...): a Windows program that measures the add-in in the
# sandbox host and prints one name=value line per figure; run by `make bench` only.
function(qv_host_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  qv_project_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  add_test(NAME ${QV_PLATFORM}.${name} COMMAND ${name})
  set_tests_properties(${QV_PLATFORM}.${name} PROPERTIES LABELS bench RESOURCE_LOCK "desktop;hkcu_host_keys")
endfunction()

# qv_check_imports(<target>): a test that the binary needs no DLL beside the system's own.
function(qv_check_imports target)
  add_test(NAME ${QV_PLATFORM}.imports.${target}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-imports ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>)
endfunction()

# qv_ship_stripped(<target>): the binary is shipped without its debug information, which is kept
# beside it in <file>.debug for crash analysis and named there by a debug link; a test checks both.
function(qv_ship_stripped target)
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${file} ${file}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=${file}.debug ${file}
    VERBATIM)
  add_test(NAME ${QV_PLATFORM}.stripped.${target}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-stripped ${CMAKE_OBJDUMP} ${file})
endfunction()

# qv_check_layers(): tests that every include, and every symbol the objects of this build use, goes
# down the layers (scripts/check-layers), on the tree and on fixtures that break the rule; once per
# test tree.
function(qv_check_layers)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME ${QV_PLATFORM}.layers
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check-layers ${PROJECT_SOURCE_DIR})
  add_test(NAME ${QV_PLATFORM}.link_layers
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check-layers ${PROJECT_SOURCE_DIR}
            ${CMAKE_BINARY_DIR} ${CMAKE_NM})
  add_test(NAME ${QV_PLATFORM}.layers_fixture
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/scripts/check_layers_test.py ${CMAKE_CXX_COMPILER}
            ${CMAKE_NM})
endfunction()
