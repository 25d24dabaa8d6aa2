# Proves that the build refuses a front end reaching past the session: a file
# including a core layer's header fails the check and is named; session headers,
# the front end's own and the files beside it pass.
#   cmake -DSESSION=<src/session> -DCHECK=<cmake/FrontEndIncludes.cmake> -DWORK=<dir> -P FrontEndRules.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/front/widgets)
file(WRITE ${WORK}/front/widgets/Local.h "#pragma once\n")
file(WRITE ${WORK}/front/widgets/Good.cpp
     "#include \"Session.h\"\n#include \"SessionTypes.h\"\n#include \"front/widgets/Local.h\"\n"
     "#include \"Local.h\"\n#include <QWidget>\n#include <vector>\n")

function(check expected)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DDIRS=${WORK}/front -DOWN=front/ -DSESSION=${SESSION}
            -P ${CHECK}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(expected STREQUAL "passes" AND NOT status EQUAL 0)
    message(FATAL_ERROR "a front end of session headers only was refused:\n${output}")
  elseif(expected STREQUAL "refused")
    if(status EQUAL 0)
      message(FATAL_ERROR "a front end including a core layer was let through")
    elseif(NOT output MATCHES "Bad\\.cpp: \"records/DatabaseList\\.h\"")
      message(FATAL_ERROR "the refusal does not name the file and header:\n${output}")
    endif()
  endif()
endfunction()

check(passes)
file(WRITE ${WORK}/front/widgets/Bad.cpp "#include \"Session.h\"\n  #  include \"records/DatabaseList.h\"\n")
check(refused)
