# Proves that the build refuses a front end reaching past the session: a file
# including a core layer's header, quoted, in angle brackets or by climbing out
# of its folder, fails the check and is named; session headers, the front
# end's own, the files beside it and system headers pass.
#   cmake -DSESSION=<src/session> -DCORE=<src/core> -DCHECK=<cmake/FrontEndIncludes.cmake>
#         -DWORK=<dir> -P FrontEndRules.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/front/widgets)
file(WRITE ${WORK}/front/widgets/Local.h "#pragma once\n")
file(WRITE ${WORK}/front/Top.h "#pragma once\n")
file(WRITE ${WORK}/front/widgets/Good.cpp
     "#include \"Session.h\"\n#include \"SessionTypes.h\"\n#include \"front/widgets/Local.h\"\n"
     "#include \"Local.h\"\n#include \"../Top.h\"\n#include <QWidget>\n#include <vector>\n"
     "#include <CLI/CLI.hpp>\n")
file(RELATIVE_PATH climb ${WORK}/front/widgets ${CORE}/records/DatabaseList.h)

function(check expected)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DDIRS=${WORK}/front -DOWN=front/ -DSESSION=${SESSION} -DCORE=${CORE}
            -P ${CHECK}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(expected STREQUAL "passes")
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "a front end of session headers only was refused:\n${output}")
    endif()
  elseif(status EQUAL 0)
    message(FATAL_ERROR "a front end including ${expected} was let through")
  else()
    string(REPLACE "." "\\." pattern "Bad.cpp: ${expected}")
    if(NOT output MATCHES "${pattern}")
      message(FATAL_ERROR "the refusal does not name the file and ${expected}:\n${output}")
    endif()
  endif()
endfunction()

check(passes)
foreach(include IN ITEMS "\"records/DatabaseList.h\"" "<records/DatabaseList.h>"
                         "<hud/LayoutSet.h>" "\"${climb}\"")
  file(WRITE ${WORK}/front/widgets/Bad.cpp "#include \"Session.h\"\n  #  include ${include}\n")
  check("${include}")
endforeach()
