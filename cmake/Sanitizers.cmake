# The checking builds. TALLYWICK_SANITIZE (the `dev` preset): everything with
# AddressSanitizer and UndefinedBehaviorSanitizer, any undefined behaviour
# ends the run. TALLYWICK_FUZZ (the `fuzz` preset, clang only): the libraries
# carry libFuzzer's coverage hooks and both sanitizers, and fuzz/ is built.
option(TALLYWICK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TALLYWICK_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(TALLYWICK_SANITIZE OR TALLYWICK_FUZZ)
    set(tallywick_sanitizers address,undefined)
    if(TALLYWICK_FUZZ)
        if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
            message(FATAL_ERROR "TALLYWICK_FUZZ needs clang (the `fuzz` preset sets it)")
        endif()
        set(tallywick_sanitizers fuzzer-no-link,address,undefined)
    endif()
    add_compile_options(-fsanitize=${tallywick_sanitizers} -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    # LeakSanitizer's tracer (GCC 12's runtime on glibc 2.36) crashes at the
    # exit of a process whose thread used the thread-local storage of a library
    # opened later: libjpeg, which Qt's JPEG plugin opens when a picture is
    # shown. "Tracer caught signal 11" and no leak check at all. Linked from
    # the start, its thread-local block is static and the check runs.
    if(TALLYWICK_SANITIZE AND NOT TALLYWICK_FUZZ)
        find_library(tallywick_jpeg_runtime NAMES libjpeg.so.62 jpeg)
        if(tallywick_jpeg_runtime)
            add_link_options(LINKER:--push-state,--no-as-needed ${tallywick_jpeg_runtime}
                LINKER:--pop-state)
        endif()
    endif()
    # GCC's bounds warnings misfire on the instrumented code (inside Qt's
    # qendian.h memcpy on QByteArray's shared empty buffer); the ordinary
    # build keeps them, and the sanitizers check the same at run time.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
    endif()
endif()
