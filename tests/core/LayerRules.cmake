# Proves that the layers' include roots keep each layer to its dependencies:
# an allowed header compiles, a header of a layer above (or beside) is not
# found, and no core file steps around the roots with "../".
#   cmake -DCXX=<compiler> -DLAYERS=<build>/layers -DCORE=<src/core> -DWORK=<dir> -P LayerRules.cmake

file(MAKE_DIRECTORY ${WORK})

# compile(<layer> <header> <ok|not-found>)
function(compile layer header expected)
  string(MAKE_C_IDENTIFIER "${layer}_${header}" probe)
  set(source ${WORK}/${probe}.cpp)
  file(WRITE ${source} "#include \"${header}\"\nint main() {}\n")
  execute_process(
    COMMAND ${CXX} -std=c++20 -fsyntax-only -I${LAYERS}/${layer} ${source}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  string(REPLACE "." "\\." pattern "${header}")
  if(expected STREQUAL "ok" AND NOT status EQUAL 0)
    message(FATAL_ERROR "${layer} cannot include ${header}, which it may:\n${output}")
  elseif(expected STREQUAL "not-found")
    if(status EQUAL 0)
      message(FATAL_ERROR "${layer} can include ${header}, against the layering")
    elseif(NOT output MATCHES "${pattern}'?: No such file|'${pattern}' file not found")
      message(FATAL_ERROR "${layer} including ${header} failed for another reason:\n${output}")
    endif()
  endif()
endfunction()

compile(records records/PlayerStats.h ok)
compile(records settings/SettingsStore.h ok)
compile(records rating/BuddyList.h not-found)
compile(records trackers/TrackerSource.h not-found)
compile(scan trackers/TrackerSource.h not-found)
compile(rating records/PlayerStatsBuilder.h ok)
compile(rating evaluation/TableEvaluation.h not-found)
compile(lists scan/ScannedTable.h not-found)
compile(scan client/lobby/EverestLobby.h ok)
# A backend is a layer of its own inside client/: only it sees its folder.
compile(client client/x11/X11Platform.h not-found)
compile(scan client/x11/X11Platform.h not-found)

file(GLOB_RECURSE sources ${CORE}/*.h ${CORE}/*.cpp)
foreach(source IN LISTS sources)
  file(STRINGS ${source} escapes REGEX "^[ \t]*#[ \t]*include[ \t]*\"\\.\\./")
  if(escapes)
    message(FATAL_ERROR "${source} includes through \"../\": ${escapes}")
  endif()
endforeach()
