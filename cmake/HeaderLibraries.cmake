# Header-only libraries from Debian's packages, for the native build and the Windows cross
# build alike. The cross compiler must not see the host's /usr/include (its C library headers
# would shadow MinGW's), so each library gets a folder in the build tree that holds a link to
# its own headers only.
#   rv_header_library(rv_json nlohmann/json.hpp nlohmann-json3-dev)
function(rv_header_library target header package)
    string(REGEX REPLACE "/.*" "" top "${header}")
    if(NOT EXISTS "/usr/include/${header}")
        message(FATAL_ERROR "${header} is missing: install Debian's ${package} (scripts/setup)")
    endif()
    set(folder "${CMAKE_BINARY_DIR}/header-libraries/${target}")
    file(MAKE_DIRECTORY "${folder}")
    file(CREATE_LINK "/usr/include/${top}" "${folder}/${top}" SYMBOLIC)
    add_library(${target} INTERFACE)
    target_include_directories(${target} SYSTEM INTERFACE "${folder}")
endfunction()

rv_header_library(rv_json nlohmann/json.hpp nlohmann-json3-dev)
rv_header_library(rv_cli CLI/CLI.hpp libcli11-dev)
