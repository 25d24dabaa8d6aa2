# What the Windows cross build takes from the build machine: header-only
# libraries of Debian's packages (nlohmann-json3-dev, libstb-dev, libcli11-dev,
# libboost-math-dev). Their folders are linked into the build tree one by one,
# so that /usr/include, with the host's C library, never comes onto the cross
# compiler's path.
set(KESTROVA_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${KESTROVA_HOST_HEADERS})
foreach(header_dir nlohmann stb CLI boost)
  if(NOT IS_DIRECTORY /usr/include/${header_dir})
    message(FATAL_ERROR "/usr/include/${header_dir} is missing (scripts/test-wine.sh installs it)")
  endif()
  file(CREATE_LINK /usr/include/${header_dir} ${KESTROVA_HOST_HEADERS}/${header_dir} SYMBOLIC)
endforeach()

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${KESTROVA_HOST_HEADERS})
add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${KESTROVA_HOST_HEADERS})
add_library(Boost::headers INTERFACE IMPORTED GLOBAL)
target_include_directories(Boost::headers SYSTEM INTERFACE ${KESTROVA_HOST_HEADERS})
add_library(kestrova_stb INTERFACE)
target_include_directories(kestrova_stb SYSTEM INTERFACE ${KESTROVA_HOST_HEADERS})

# GCC 12 warns falsely about std::string copies at -O2 and above (its bug 105329).
target_compile_options(kestrova_flags INTERFACE -Wno-restrict)
