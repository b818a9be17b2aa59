# SPDX-License-Identifier: GPL-3.0-or-later
# Fails the configure step when a library includes a header of a library it
# does not link, directly or through others: the includes follow the target
# graph, so a layer cannot quietly start to lean on one above it.

# Header folders (below src/ or the project root) and the target that owns them;
# the first match wins.
set(KV_HEADER_OWNERS
  "platform/transport/sim_transport.h=kv_sim_transport"
  "platform/spreadsheet/=kv_spreadsheet"
  "platform/qt/=kv_platform_qt"
  "platform/=kv_platform"
  "link/=kv_link"
  "results/=kv_results"
  "analysis/=kv_analysis"
  "datafile/=kv_datafile"
  "certificate/qt/=kv_certificate_qt"
  "certificate/=kv_certificate"
  "app/=kv_app"
  "x3p/=kv_x3p"
  "ui/=kv_ui"
  "sim/=kv_sim")

function(kv_header_owner header out)
  foreach(entry IN LISTS KV_HEADER_OWNERS)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 prefix)
    list(GET pair 1 owner)
    string(FIND "${header}" "${prefix}" at)
    if(at EQUAL 0)
      set(${out} ${owner} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

# Every project target `target` links, directly or through others.
function(kv_link_closure target out)
  set(closure "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(linked ${current} ${property})
      foreach(library IN LISTS linked)
        if(library MATCHES "^kv_" AND TARGET ${library} AND NOT library IN_LIST closure)
          list(APPEND closure ${library})
          list(APPEND pending ${library})
        endif()
      endforeach()
    endforeach()
  endwhile()
  set(${out} ${closure} PARENT_SCOPE)
endfunction()

function(kv_check_layering)
  foreach(target kv_platform kv_spreadsheet kv_platform_qt kv_link kv_results kv_datafile
                 kv_analysis kv_certificate kv_certificate_qt kv_app kv_x3p kv_ui kv_sim)
    kv_link_closure(${target} allowed)
    get_target_property(folder ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    set(files "")
    foreach(source IN LISTS sources)
      get_filename_component(source_folder "${folder}/${source}" DIRECTORY)
      file(GLOB headers "${source_folder}/*.h")
      list(APPEND files "${folder}/${source}" ${headers})
    endforeach()
    list(REMOVE_DUPLICATES files)
    foreach(file IN LISTS files)
      # A header in the folder that another target owns by name is that target's.
      string(REGEX REPLACE "^${PROJECT_SOURCE_DIR}/(src/)?" "" relative "${file}")
      kv_header_owner("${relative}" file_owner)
      if(NOT file_owner STREQUAL target)
        continue()
      endif()
      file(STRINGS "${file}" includes REGEX "^#include \"[^\"]+\"")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
        kv_header_owner("${header}" owner)
        if(NOT owner STREQUAL "" AND NOT owner STREQUAL target AND NOT owner IN_LIST allowed)
          message(SEND_ERROR
                  "${relative} includes \"${header}\" of ${owner}, which ${target} does not link.")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
