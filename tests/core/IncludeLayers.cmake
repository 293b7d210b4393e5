# Fails when a header of the plug-in includes one from a layer above it:
# geometry/ (plain values, host-free) < core/ < label/. Run by ctest as
#   cmake -DPLUGIN_DIR=<plugin> -P IncludeLayers.cmake
set(failures "")
function(check_headers folder pattern why)
  file(GLOB headers "${PLUGIN_DIR}/${folder}/*.h")
  foreach(header ${headers})
    file(STRINGS "${header}" lines REGEX "^#include \"")
    foreach(line ${lines})
      if(line MATCHES "${pattern}")
        file(RELATIVE_PATH name "${PLUGIN_DIR}" "${header}")
        string(APPEND failures "\n  ${name}: ${line} (${why})")
      endif()
    endforeach()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

check_headers(core "#include \"label/" "core is below label")
# geometry may use the constants of core/Ids.h, which includes nothing.
check_headers(geometry "#include \"(label/|host/|core/[^I]|core/I[^d])" "geometry is plain values without the host")
file(STRINGS "${PLUGIN_DIR}/core/Ids.h" idsIncludes REGEX "^#include \"")
if(idsIncludes)
  set(failures "${failures}\n  core/Ids.h includes ${idsIncludes} (it is included by geometry)")
endif()

if(failures)
  message(FATAL_ERROR "headers reaching up a layer:${failures}")
endif()
