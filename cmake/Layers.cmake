# SPDX-License-Identifier: MIT
# Each folder of src/ is a layer and its own library target. A layer's
# headers are reached as "<layer>/Name.h" through an include root of its
# own that holds that layer alone, and a target sees the roots of the layers
# it links: an include against the arrows finds no file and fails to build.

set(ZYN_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# The include root of src/<layer>: a folder with one link, <layer> -> src/<layer>.
function(zyn_layer_root layer out)
    set(root ${ZYN_LAYER_ROOTS}/${layer})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${layer})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
    endif()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# zyn_layer(<layer> [SUBDIRS dir...] [DEPENDS target...]): the static library
# zyn_<layer> of every .cpp in src/<layer> (and the subfolders named), which
# offers its headers to the targets that link it.
function(zyn_layer layer)
    cmake_parse_arguments(ARG "" "" "SUBDIRS;DEPENDS" ${ARGN})
    set(sources)
    foreach(dir ${layer} ${ARG_SUBDIRS})
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    zyn_layer_root(${layer} root)
    add_library(zyn_${layer} STATIC ${sources})
    target_include_directories(zyn_${layer} PUBLIC ${root})
    target_link_libraries(zyn_${layer} PUBLIC ${ARG_DEPENDS})
endfunction()
