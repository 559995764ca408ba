# SPDX-License-Identifier: MIT
cmake_minimum_required(VERSION 3.25)
# Fails when the tree and what describes it part ways:
#   - a folder under src/ that neither docs/ARCHITECTURE.md nor the README names, as its path
#     from src/ ("platform/kde") or as "<name>/" in the map;
#   - a script in tools/ or tools/lib/ that neither names as "tools/<path>";
#   - a source or header under src/ that src/CMakeLists.txt does not list;
#   - a source, header, script or CMake file without its SPDX licence line.
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

# Every source, header, script and CMake file of ours names its licence in its first lines.
file(GLOB_RECURSE ours RELATIVE "${ROOT}"
    "${ROOT}/CMakeLists.txt" "${ROOT}/cmake/*" "${ROOT}/protocols/*.cmake"
    "${ROOT}/protocols/CMakeLists.txt" "${ROOT}/src/*" "${ROOT}/tests/*" "${ROOT}/bench/*"
    "${ROOT}/data/*" "${ROOT}/tools/*")
foreach(path IN LISTS ours)
    if(NOT path MATCHES "(\\.(h|cpp|js|in|sh|py|cmake)|CMakeLists\\.txt)$"
       AND NOT path MATCHES "^(tools/[^/]+|tools/lib/[^/.]+|tests/fuzz/make-item-seeds)$")
        continue()
    endif()
    file(READ "${ROOT}/${path}" head LIMIT 200)
    if(NOT head MATCHES "SPDX-License-Identifier: MIT")
        list(APPEND offences "${path} has no SPDX-License-Identifier line")
    endif()
endforeach()

if(offences)
    list(JOIN offences "\n  " shown)
    message(FATAL_ERROR "The tree and its descriptions part ways:\n  ${shown}")
endif()
