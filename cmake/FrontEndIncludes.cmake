# Proves that a front end is a thin client of the session: its files include
# the session's headers, their own front end's, the simulated client's and
# system headers, never a core layer. Run at every build of the front end.
#   cmake -DDIRS=<dir;...> -DOWN=<prefix/;...> -DSESSION=<src/session> [-DSTAMP=<file>]
#         -P FrontEndIncludes.cmake
# A quoted include passes when it starts with one of OWN, names a header of
# SESSION, or names a file beside the including one.

set(wrong "")
foreach(dir IN LISTS DIRS)
  file(GLOB_RECURSE sources ${dir}/*.h ${dir}/*.cpp)
  foreach(source IN LISTS sources)
    get_filename_component(here ${source} DIRECTORY)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      set(allowed FALSE)
      foreach(prefix IN LISTS OWN)
        string(FIND "${header}" "${prefix}" at)
        if(at EQUAL 0)
          set(allowed TRUE)
        endif()
      endforeach()
      if(EXISTS ${SESSION}/${header} OR EXISTS ${here}/${header})
        set(allowed TRUE)
      endif()
      if(NOT allowed)
        string(APPEND wrong "\n  ${source}: \"${header}\"")
      endif()
    endforeach()
  endforeach()
endforeach()

if(wrong)
  message(FATAL_ERROR "A front end reaches past the session (include a session header, such "
                      "as \"SessionTypes.h\", or add what it needs to the session):${wrong}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
