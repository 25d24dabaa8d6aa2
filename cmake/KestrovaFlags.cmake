# One interface target carries the flags every project target shares.
add_library(kestrova_flags INTERFACE)
target_compile_features(kestrova_flags INTERFACE cxx_std_20)
target_compile_options(kestrova_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wno-missing-field-initializers)
if(KESTROVA_WERROR)
  target_compile_options(kestrova_flags INTERFACE -Werror)
endif()
if(KESTROVA_SANITIZE)
  # Undefined behaviour must fail the run, not print a line and carry on.
  target_compile_options(kestrova_flags INTERFACE -fsanitize=address,undefined
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(kestrova_flags INTERFACE -fsanitize=address,undefined
    -fno-sanitize-recover=all)
endif()
if(KESTROVA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KESTROVA_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage for libFuzzer in every object; only the fuzz programs link the
  # fuzzer's runtime, so such a build is for them alone.
  target_compile_options(kestrova_flags INTERFACE -fsanitize=fuzzer-no-link
    -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/fuzz/coverage-ignorelist.txt)
endif()

# Qt targets additionally get Qt's string-safety macros.
add_library(kestrova_qt_flags INTERFACE)
target_link_libraries(kestrova_qt_flags INTERFACE kestrova_flags)
target_compile_definitions(kestrova_qt_flags INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_FOREACH)
