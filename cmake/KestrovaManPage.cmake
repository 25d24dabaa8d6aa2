# A program's manual page, made by help2man from its own --help and --version
# (which every program answers without a display), and installed with it.
find_program(HELP2MAN help2man)

function(kestrova_add_man_page target description)
  if(NOT HELP2MAN OR CMAKE_CROSSCOMPILING)
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            ${HELP2MAN} --no-info --no-discard-stderr --name ${description}
            --output ${page} $<TARGET_FILE:${target}>
    DEPENDS ${target}
    VERBATIM)
  add_custom_target(${target}-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
