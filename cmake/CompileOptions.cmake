# Everything Kavri's own targets compile with: warnings, Qt strictness, sanitizers.
add_library(kavri_compile_options INTERFACE)
target_compile_options(kavri_compile_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-qual -Wformat=2
    $<$<BOOL:${KAVRI_WERROR}>:-Werror>)
target_compile_definitions(kavri_compile_options INTERFACE
    QT_NO_KEYWORDS
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    $<$<CONFIG:Release>:QT_NO_DEBUG_OUTPUT>)

if(KAVRI_SANITIZE)
    # Applied to every target, third-party code in this tree included, so that the
    # instrumentation is consistent across object files.
    add_compile_options(-fsanitize=${KAVRI_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${KAVRI_SANITIZE})
endif()

if(KAVRI_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "KAVRI_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
    endif()
    # Coverage feedback for libFuzzer from all of Kavri's code; only the fuzzers link its main().
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
