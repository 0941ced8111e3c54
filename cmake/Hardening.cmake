# SPDX-License-Identifier: MIT
# The hardening a distribution applies to what it ships, for every target in
# every build type: a strong stack protector, stack clash and control-flow
# protection (where the target has them), checked libc calls (fortify source,
# level 2), format string checks, position-independent executables, and
# read-only relocations bound when the program starts.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "ZYN_CXX_HAS${flag}" supported)
    check_cxx_compiler_flag(${flag} ${supported})
    if(${supported})
        add_compile_options(${flag})
    endif()
endforeach()
add_link_options(LINKER:-z,relro LINKER:-z,now)

# The checked libc calls need optimisation, so the debug build optimises as
# far as debugging allows. The sanitizers do not know the checked variants
# (they would miss or misreport what goes through them) and check every access
# themselves, so their builds go without.
add_compile_options($<$<CONFIG:Debug>:-Og>)
if(ZYN_SANITIZE OR ZYN_FUZZ)
    add_compile_options(-U_FORTIFY_SOURCE)
else()
    add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
endif()
