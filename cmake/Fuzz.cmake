# SPDX-License-Identifier: MIT
# Fuzzing the logo file reader with libFuzzer, which needs clang:
#   FUZZ_SECONDS=600 ninja -C build fuzz     (default 60 seconds)
# Under clang with ZYN_FUZZ=ON the target runs the fuzzer; with any other
# compiler it configures and builds a clang tree in build/fuzz and runs it there.
# New inputs go to fuzz-corpus/, crashes to fuzz-artifacts/ of that tree; the
# seeds, and what is worth keeping, live in tests/intro/corpus.
option(ZYN_FUZZ "Build the libFuzzer target of the logo reader (clang only)" OFF)

if(ZYN_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    file(GLOB INTRO_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/intro/*.cpp)
    add_executable(zynmon-fuzz-logo ${PROJECT_SOURCE_DIR}/tests/intro/fuzz/LogoFuzzer.cpp
                                    ${INTRO_SOURCES})
    target_include_directories(zynmon-fuzz-logo PRIVATE ${ZYN_LAYER_ROOTS}/intro)
    target_link_libraries(zynmon-fuzz-logo PRIVATE zyn_gdi)
    target_compile_options(zynmon-fuzz-logo PRIVATE -fsanitize=fuzzer,address,undefined
                                                    -fno-sanitize-recover=undefined)
    target_link_options(zynmon-fuzz-logo PRIVATE -fsanitize=fuzzer,address,undefined)
    add_custom_target(fuzz
        COMMAND ${PROJECT_SOURCE_DIR}/tests/intro/fuzz/run-fuzzer.sh
                $<TARGET_FILE:zynmon-fuzz-logo> ${CMAKE_BINARY_DIR}/fuzz-artifacts
                ${CMAKE_BINARY_DIR}/fuzz-corpus ${PROJECT_SOURCE_DIR}/tests/intro/corpus
        DEPENDS zynmon-fuzz-logo
        USES_TERMINAL)
elseif(NOT ZYN_FUZZ)
    find_program(ZYN_CLANGXX clang++)
    if(ZYN_CLANGXX)
        add_custom_target(fuzz
            COMMAND ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${CMAKE_BINARY_DIR}/fuzz -G Ninja
                    -DCMAKE_CXX_COMPILER=${ZYN_CLANGXX} -DZYN_FUZZ=ON -DZYN_BUILD_APP=OFF
                    -DZYN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
            COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR}/fuzz --target fuzz
            USES_TERMINAL)
    else()
        add_custom_target(fuzz COMMAND ${CMAKE_COMMAND} -E echo "fuzzing needs clang++" COMMAND false)
    endif()
endif()
