# Tests never reach the maker's real host: a closed local port unless a test runs its own server.
set(KAVRI_TEST_SERVER "KAVRI_SERVER_BASE=http://127.0.0.1:9")

# kavri_add_test(NAME SOURCES... LIBRARIES... [LABELS...])
# One Qt Test executable, registered with CTest under its name.
function(kavri_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test kavri_compile_options ${ARG_LIBRARIES})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${KAVRI_TEST_SERVER}" LABELS "${ARG_LABELS}")
endfunction()

# kavri_add_desktop_test(NAME SOURCES... LIBRARIES...)
# A Qt Test executable that runs inside a private X11 desktop (tests/support/desktop-session).
function(kavri_add_desktop_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test kavri_compile_options ${ARG_LIBRARIES})
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/support/desktop-session $<TARGET_FILE:${name}>)
    # Serial: pointer and keyboard timing suffers when two X servers compete for two cores.
    set_tests_properties(${name} PROPERTIES LABELS desktop RUN_SERIAL TRUE TIMEOUT 300
        ENVIRONMENT "KAVRI_ARTIFACTS=${PROJECT_BINARY_DIR}/artifacts;${KAVRI_TEST_SERVER}")
endfunction()
