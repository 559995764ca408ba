cmake_minimum_required(VERSION 3.25)
# Fails when the tree and what describes it part ways:
#   - a folder under src/ that neither docs/ARCHITECTURE.md nor the README names, as its path
#     from src/ ("platform/kde") or as "<name>/" in the map;
#   - a script in tools/ or tools/lib/ that neither names as "tools/<path>";
#   - a source or header under src/ that src/CMakeLists.txt does not list.
#   cmake -DROOT=<checkout> -P check_named.cmake
file(READ "${ROOT}/README.md" readme)
file(READ "${ROOT}/docs/ARCHITECTURE.md" architecture)
string(APPEND docs "${readme}\n${architecture}")
file(READ "${ROOT}/src/CMakeLists.txt" build_list)
set(offences "")

file(GLOB_RECURSE src_files LIST_DIRECTORIES true RELATIVE "${ROOT}/src" "${ROOT}/src/*")
foreach(path IN LISTS src_files)
    if(IS_DIRECTORY "${ROOT}/src/${path}")
        get_filename_component(name "${path}" NAME)
        string(FIND "${docs}" "${path}" at_path)
        string(FIND "${docs}" "${name}/" at_name)
        if(at_path EQUAL -1 AND at_name EQUAL -1)
            list(APPEND offences "src/${path}/ is named in neither docs/ARCHITECTURE.md nor README.md")
        endif()
    elseif(path MATCHES "\\.(cpp|h)$")
        string(REGEX MATCH "(^|[ \t\n(])${path}[ \t\n)]" listed "${build_list}")
        if(NOT listed)
            list(APPEND offences "src/${path} is not listed in src/CMakeLists.txt")
        endif()
    endif()
endforeach()

# Scripts: every file of tools/, and the executables and shell libraries of tools/lib/.
file(GLOB tools RELATIVE "${ROOT}/tools" "${ROOT}/tools/*" "${ROOT}/tools/lib/*")
foreach(path IN LISTS tools)
    if(IS_DIRECTORY "${ROOT}/tools/${path}")
        continue()
    endif()
    if(path MATCHES "^lib/")
        file(READ "${ROOT}/tools/${path}" head LIMIT 2)
        if(NOT head MATCHES "^#!" AND NOT path MATCHES "\\.(sh|js)$")
            continue()
        endif()
    endif()
    string(FIND "${docs}" "tools/${path}" at)
    if(at EQUAL -1)
        list(APPEND offences "tools/${path} is named in neither docs/ARCHITECTURE.md nor README.md")
    endif()
endforeach()

if(offences)
    list(JOIN offences "\n  " shown)
    message(FATAL_ERROR "The tree and its descriptions part ways:\n  ${shown}")
endif()
