# The core is built as layers, one static library per folder of src/core, and
# the build enforces which layer may include which. Each layer compiles with a
# single include root: a folder in the build tree holding symbolic links to its
# own folder and to the folders of the layers it depends on (directly or
# through another layer). Including any other layer's header is then simply
# "file not found". Code outside the core links `kestrova_core`, which links
# every layer and sees the whole of src/core.
#
#   kestrova_add_layer(<name> [DIR <folder>] [DEPENDS <layer>...] [SOURCES <file>...]
#                      [STANDALONE])
#
# creates the static library kestrova_<name> from SOURCES (paths relative to
# the calling CMakeLists.txt). DIR is the layer's folder relative to src/core
# (default: <name>); a folder inside another layer's folder is a layer of its
# own and hidden from that layer (client/x11 from client). DEPENDS names the
# layers it may include, without the prefix; they must be declared before.
# Sources may be added later with target_sources(kestrova_<name> PRIVATE ...),
# libraries with target_link_libraries(kestrova_<name> PRIVATE ...).
# STANDALONE keeps the layer out of kestrova_core (a platform backend, which
# only the programs that start it link).
#
# A new layer, e.g. the HUD:
#   src/core/hud/CMakeLists.txt:  kestrova_add_layer(hud DEPENDS common SOURCES HudLayout.h ...)
#   src/core/CMakeLists.txt:      add_subdirectory(hud)   (before kestrova_finish_layers())

set(KESTROVA_CORE_DIR ${CMAKE_SOURCE_DIR}/src/core)
set(KESTROVA_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

function(kestrova_add_layer name)
  cmake_parse_arguments(ARG "STANDALONE" "DIR" "DEPENDS;SOURCES" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${name})
  endif()
  if(NOT IS_DIRECTORY ${KESTROVA_CORE_DIR}/${ARG_DIR})
    message(FATAL_ERROR "Layer ${name}: no folder src/core/${ARG_DIR}")
  endif()

  # The layers it sees: itself and every layer below it.
  set(visible ${name})
  foreach(dependency IN LISTS ARG_DEPENDS)
    get_property(declared GLOBAL PROPERTY KESTROVA_LAYER_${dependency}_VISIBLE SET)
    if(NOT declared)
      message(FATAL_ERROR "Layer ${name} depends on ${dependency}, which is not declared yet")
    endif()
    get_property(below GLOBAL PROPERTY KESTROVA_LAYER_${dependency}_VISIBLE)
    list(APPEND visible ${below})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY KESTROVA_LAYER_${name}_VISIBLE ${visible})
  set_property(GLOBAL PROPERTY KESTROVA_LAYER_${name}_DIR ${ARG_DIR})
  set_property(GLOBAL APPEND PROPERTY KESTROVA_LAYERS ${name})

  set(target kestrova_${name})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PRIVATE ${KESTROVA_LAYER_ROOTS}/${name})
  # Outside the core a layer is used through src/core...
  target_include_directories(${target} INTERFACE ${KESTROVA_CORE_DIR})
  target_link_libraries(${target} PUBLIC kestrova_flags)
  # ...but a layer above it must not inherit that root: link only.
  foreach(dependency IN LISTS ARG_DEPENDS)
    target_link_libraries(${target} PRIVATE $<LINK_ONLY:kestrova_${dependency}>)
  endforeach()
  if(NOT ARG_STANDALONE)
    target_link_libraries(kestrova_core INTERFACE ${target})
  endif()
endfunction()

# Links `folder` (relative to src/core) into `root`: the whole folder, or,
# when a hidden layer's folder lies inside it, everything but that folder.
function(_kestrova_link_folder root folder hidden)
  set(holds_hidden FALSE)
  foreach(other IN LISTS hidden)
    string(FIND "${other}" "${folder}/" at)
    if(at EQUAL 0)
      set(holds_hidden TRUE)
    endif()
  endforeach()
  if(NOT holds_hidden)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${KESTROVA_CORE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    return()
  endif()
  file(MAKE_DIRECTORY ${root}/${folder})
  # A file added here later reconfigures the build, so it gets its link.
  file(GLOB children CONFIGURE_DEPENDS LIST_DIRECTORIES true RELATIVE ${KESTROVA_CORE_DIR}
       ${KESTROVA_CORE_DIR}/${folder}/*)
  foreach(child IN LISTS children)
    if(child IN_LIST hidden)
      continue()
    endif()
    if(IS_DIRECTORY ${KESTROVA_CORE_DIR}/${child})
      _kestrova_link_folder(${root} ${child} "${hidden}")
    else()
      file(CREATE_LINK ${KESTROVA_CORE_DIR}/${child} ${root}/${child} SYMBOLIC)
    endif()
  endforeach()
endfunction()

# Builds every layer's include root; called once, after the last layer.
function(kestrova_finish_layers)
  get_property(layers GLOBAL PROPERTY KESTROVA_LAYERS)
  set(all_dirs)
  foreach(layer IN LISTS layers)
    get_property(dir GLOBAL PROPERTY KESTROVA_LAYER_${layer}_DIR)
    list(APPEND all_dirs ${dir})
  endforeach()
  # Rebuilt whole, so a dropped dependency loses its links. (This removes the
  # links only, never what they point to.)
  file(REMOVE_RECURSE ${KESTROVA_LAYER_ROOTS})
  foreach(layer IN LISTS layers)
    get_property(visible GLOBAL PROPERTY KESTROVA_LAYER_${layer}_VISIBLE)
    set(visible_dirs)
    foreach(shown IN LISTS visible)
      get_property(dir GLOBAL PROPERTY KESTROVA_LAYER_${shown}_DIR)
      list(APPEND visible_dirs ${dir})
    endforeach()
    set(hidden ${all_dirs})
    list(REMOVE_ITEM hidden ${visible_dirs})
    set(root ${KESTROVA_LAYER_ROOTS}/${layer})
    file(MAKE_DIRECTORY ${root})
    foreach(dir IN LISTS visible_dirs)
      # A folder inside another visible one is already linked with it.
      set(covered FALSE)
      foreach(outer IN LISTS visible_dirs)
        string(FIND "${dir}" "${outer}/" at)
        if(at EQUAL 0)
          set(covered TRUE)
        endif()
      endforeach()
      if(NOT covered)
        _kestrova_link_folder(${root} ${dir} "${hidden}")
      endif()
    endforeach()
  endforeach()
endfunction()
