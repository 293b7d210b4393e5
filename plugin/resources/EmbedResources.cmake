# Embeds the files under resources/<kind>/<id>.<ext> in the plug-in as byte
# arrays, served by the exported resource lookup PluginGetResource.
#   strings/ STR#   pictures/ PNGI   cursors/ CURS   dialogs/ DLOG   menus/ MENU   pipl/ PiPL

set(KPX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)

function(kpx_embed_resources out_var resource_dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
    ${resource_dir}/strings/* ${resource_dir}/pictures/* ${resource_dir}/cursors/*
    ${resource_dir}/dialogs/* ${resource_dir}/menus/* ${resource_dir}/pipl/*)
  list(FILTER files EXCLUDE REGEX "\\.(svg|md|rc)$")
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/EmbeddedResources.cpp)
  add_custom_command(
    OUTPUT ${generated}
    COMMAND ${CMAKE_COMMAND} -DKPX_RESOURCE_DIR=${resource_dir} -DKPX_OUTPUT=${generated}
            -P ${KPX_EMBED_SCRIPT}
    DEPENDS ${files} ${KPX_EMBED_SCRIPT}
    COMMENT "Embedding plug-in resources")
  set(${out_var} ${generated} PARENT_SCOPE)
endfunction()

# Script mode: write the generated source.
if(CMAKE_SCRIPT_MODE_FILE AND KPX_OUTPUT)
  set(kinds strings pictures cursors dialogs menus pipl)
  set(codes "'S','T','R','#'" "'P','N','G','I'" "'C','U','R','S'" "'D','L','O','G'" "'M','E','N','U'" "'P','i','P','L'")
  set(body "// Generated from plugin/resources; do not edit.\n#include \"host/PluginExports.h\"\n\nnamespace {\nstruct Resource { int32_t type; int32_t id; const unsigned char* data; uint32_t size; };\n")
  set(table "")
  set(n 0)
  set(seen "")
  foreach(kind code IN ZIP_LISTS kinds codes)
    file(GLOB entries ${KPX_RESOURCE_DIR}/${kind}/*)
    list(SORT entries)
    foreach(path ${entries})
      get_filename_component(name ${path} NAME)
      if(name MATCHES "\\.(svg|md|rc)$")
        continue()
      endif()
      string(REGEX MATCH "^[0-9]+" id "${name}")
      if(id STREQUAL "")
        continue()
      endif()
      list(FIND seen "${kind}/${id}" duplicate)
      if(NOT duplicate EQUAL -1)
        message(FATAL_ERROR "Two resource files have the number ${id} in ${kind}/")
      endif()
      list(APPEND seen "${kind}/${id}")
      file(READ ${path} hex HEX)
      string(LENGTH "${hex}" hexlen)
      math(EXPR size "${hexlen} / 2")
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
      string(APPEND body "const unsigned char kRes${n}[] = {${bytes}0};\n")
      string(APPEND table "  {KPX_FOURCC(${code}), ${id}, kRes${n}, ${size}},\n")
      math(EXPR n "${n} + 1")
    endforeach()
  endforeach()
  string(APPEND body "const Resource kResources[] = {\n${table}  {0, 0, nullptr, 0}};\n}  // namespace\n\n")
  string(APPEND body "KPX_PLUGIN_EXPORT ASErr KPX_CDECL PluginGetResource(int32_t type, int32_t id, const void** data, uint32_t* size) {\n")
  string(APPEND body "  if (data == nullptr || size == nullptr) return kBadParameterErr;\n")
  string(APPEND body "  for (const Resource& r : kResources) {\n    if (r.data != nullptr && r.type == type && r.id == id) {\n      *data = r.data;\n      *size = r.size;\n      return kNoErr;\n    }\n  }\n")
  string(APPEND body "  *data = nullptr;\n  *size = 0;\n  return kNameNotFoundErr;\n}\n")
  file(WRITE ${KPX_OUTPUT}.tmp "${body}")
  file(COPY_FILE ${KPX_OUTPUT}.tmp ${KPX_OUTPUT} ONLY_IF_DIFFERENT)
endif()
