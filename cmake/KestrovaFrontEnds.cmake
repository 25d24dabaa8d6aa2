# A front end (the window, the HUD editor, the command line) sees the session
# only. kestrova_front_end(<target> DIRS <folder>... OWN <prefix>...) makes the
# target's build check every include of its folders first
# (cmake/FrontEndIncludes.cmake says what passes).
function(kestrova_front_end target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "DIRS;OWN")
  set(sources "")
  foreach(dir IN LISTS arg_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DDIRS=${arg_DIRS}" "-DOWN=${arg_OWN}"
            -DSESSION=${PROJECT_SOURCE_DIR}/src/session -DCORE=${PROJECT_SOURCE_DIR}/src/core
            -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/FrontEndIncludes.cmake
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/FrontEndIncludes.cmake
    COMMENT "Checking that ${target} includes the session only"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
