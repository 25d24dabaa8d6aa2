# Proves that a front end is a thin client of the session: its files include
# the session's headers, their own front end's, the simulated client's and
# system headers, never a core layer. Run at every build of the front end.
#   cmake -DDIRS=<dir;...> -DOWN=<prefix/;...> -DSESSION=<src/session> -DCORE=<src/core>
#         [-DSTAMP=<file>] -P FrontEndIncludes.cmake
# Quoted and angle-bracket includes are read alike. An include passes when it
# names a header of SESSION, starts with one of OWN, or names a file beside the
# including one that lies inside DIRS ("../" is resolved first). Any other
# include that names a file of CORE, or starts with one of CORE's folders, is
# refused; quoted includes that name nothing of the above are refused too.

cmake_policy(SET CMP0057 NEW)
file(GLOB core_folders RELATIVE ${CORE} ${CORE}/*)
set(wrong "")

# Whether `path` (absolute, normalised) lies inside one of DIRS.
function(inside_front_end path result)
  set(${result} FALSE PARENT_SCOPE)
  foreach(dir IN LISTS DIRS)
    get_filename_component(root ${dir} ABSOLUTE)
    string(FIND "${path}/" "${root}/" at)
    if(at EQUAL 0)
      set(${result} TRUE PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

foreach(dir IN LISTS DIRS)
  file(GLOB_RECURSE sources ${dir}/*.h ${dir}/*.cpp)
  foreach(source IN LISTS sources)
    get_filename_component(here ${source} DIRECTORY)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([\"<])([^\">]*)[\">].*" "\\1" quote
                           "${line}")
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*" "\\1" header
                           "${line}")
      set(allowed FALSE)
      set(climbs FALSE)
      if(header MATCHES "(^|/)\\.\\.(/|$)")
        set(climbs TRUE)
      endif()
      if(NOT climbs)
        foreach(prefix IN LISTS OWN)
          string(FIND "${header}" "${prefix}" at)
          if(at EQUAL 0)
            set(allowed TRUE)
          endif()
        endforeach()
        if(EXISTS ${SESSION}/${header})
          set(allowed TRUE)
        endif()
      endif()
      if(NOT allowed AND EXISTS ${here}/${header})
        get_filename_component(resolved ${here}/${header} ABSOLUTE)
        inside_front_end(${resolved} allowed)
      endif()
      if(NOT allowed AND quote STREQUAL "<" AND NOT climbs)
        # A system header, unless it names the core.
        set(allowed TRUE)
        string(REGEX REPLACE "/.*" "" first "${header}")
        if(EXISTS ${CORE}/${header} OR (header MATCHES "/" AND first IN_LIST core_folders))
          set(allowed FALSE)
        endif()
      endif()
      if(NOT allowed)
        if(quote STREQUAL "<")
          string(APPEND wrong "\n  ${source}: <${header}>")
        else()
          string(APPEND wrong "\n  ${source}: \"${header}\"")
        endif()
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
