# Included by ctest (TEST_INCLUDE_FILES) before any test runs; the tests inherit it.
# Qt and fontconfig keep caches until exit: leaks are not what these runs look for.
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
# Undefined behaviour ends the test (the build also stops recovering from it).
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")
