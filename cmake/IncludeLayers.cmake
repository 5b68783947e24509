# Refuses an include that points up the layers: each folder may include itself and the folders
# listed for it, nothing else, and no folder below the widgets may include Qt. Run by the build:
#   cmake -DROOT=<source dir> -DSTAMP=<file to touch> -P IncludeLayers.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_core "")
set(allowed_platform core)
set(allowed_transport core platform)
set(allowed_protocol core platform transport)
set(allowed_controls core protocol)
set(allowed_files core platform protocol controls)
set(allowed_operations core platform transport protocol controls files)
set(allowed_presenters core platform transport protocol controls files operations)
set(allowed_resources "")
set(allowed_widgets core resources)
set(allowed_dialogs core platform transport protocol controls files operations presenters
    resources widgets)
set(allowed_app core platform transport protocol controls files operations presenters resources
    widgets dialogs)
set(qt_allowed resources widgets dialogs app)

set(faults "")
foreach(layer core platform transport protocol controls files operations presenters resources
        widgets dialogs app)
    file(GLOB_RECURSE sources "${ROOT}/${layer}/*.cpp" "${ROOT}/${layer}/*.h")
    foreach(source ${sources})
        file(STRINGS "${source}" includes REGEX "^#include [\"<]")
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        foreach(line ${includes})
            if(line MATCHES "^#include \"([a-z0-9_]+)/")
                set(target "${CMAKE_MATCH_1}")
                if(NOT target STREQUAL layer AND NOT target IN_LIST allowed_${layer})
                    string(APPEND faults "\n  ${name}: ${line} (${layer}/ may not include ${target}/)")
                endif()
            elseif(line MATCHES "^#include <Q" AND NOT layer IN_LIST qt_allowed)
                string(APPEND faults "\n  ${name}: ${line} (no Qt below the widgets)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes against the layers:${faults}")
endif()
file(TOUCH "${STAMP}")
