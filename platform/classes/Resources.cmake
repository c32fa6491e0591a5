# q4_add_resources(TARGET TYPE type [SET name] FILES file...)
# Builds the files into TARGET as resources of that type, each named after its file name without
# the extension, in upper case ("forms/TdlgConnect.txt" -> RCDATA "TDLGCONNECT"); the program
# finds them with FindResource / TResourceStream (platform/classes/Resources.h). A target that
# adds resources of one type more than once names each further set with SET.
function(q4_add_resources target)
  cmake_parse_arguments(ARG "" "TYPE;SET" "FILES" ${ARGN})
  string(TOUPPER "${ARG_TYPE}" type)
  set(aliased)
  foreach(file ${ARG_FILES})
    get_filename_component(stem ${file} NAME_WE)
    string(TOUPPER "${stem}" alias)
    set_source_files_properties(${file} PROPERTIES QT_RESOURCE_ALIAS "${alias}")
    list(APPEND aliased ${file})
  endforeach()
  string(MAKE_C_IDENTIFIER "${target}_${type}${ARG_SET}" resource_name)
  qt_add_resources(${target} ${resource_name} PREFIX "/q4/${type}" FILES ${aliased})
endfunction()

# q4_form_resources(TARGET file.txt...)
# Each form's text description, turned into its binary form at build time by the project's form
# converter, is built into TARGET as an RCDATA resource named after the form class
# ("TdlgConnect.txt" -> "TDLGCONNECT"), which the form reads when it is created.
function(q4_form_resources target)
  set(binaries)
  foreach(file ${ARGN})
    get_filename_component(stem ${file} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/forms/${stem}.dfm)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/forms
      COMMAND quorvan4-formconv --to-binary ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${out}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${file} quorvan4-formconv
      VERBATIM)
    list(APPEND binaries ${out})
  endforeach()
  q4_add_resources(${target} TYPE RCDATA FILES ${binaries})
endfunction()
