# Flags every target of the project links, instead of global options, so that
# the sanitizer and hardening flags reach exactly our own code.
add_library(bimzo_build_flags INTERFACE)
target_compile_options(bimzo_build_flags INTERFACE -Wall -Wextra)
if(BIMZO_SANITIZE)
  target_compile_options(bimzo_build_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(bimzo_build_flags INTERFACE -fsanitize=address,undefined)
endif()

# Hardening as Debian builds its packages. Target options come after
# CMAKE_CXX_FLAGS on the command line and would override a packager's choice,
# so a kind of flag that the packager's CXXFLAGS or LDFLAGS (or the
# CMAKE_*_FLAGS[_RELEASE] given on the command line) already set is left out.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)
set(bimzo_packager_cxxflags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_RELEASE}")
set(bimzo_packager_ldflags "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_RELEASE}")

# Adds a Release compile flag unless the packager's flags match `pattern`.
function(bimzo_harden pattern flag)
  if(bimzo_packager_cxxflags MATCHES "${pattern}")
    return()
  endif()
  string(MAKE_C_IDENTIFIER "BIMZO_HAS${flag}" supported)
  check_cxx_compiler_flag(${flag} ${supported})
  if(${supported})
    target_compile_options(bimzo_build_flags INTERFACE $<$<CONFIG:Release>:${flag}>)
  endif()
endfunction()

bimzo_harden("-f(no-)?stack-protector" -fstack-protector-strong)
bimzo_harden("-f(no-)?stack-clash-protection" -fstack-clash-protection)
bimzo_harden("-f(no-)?cf-protection" -fcf-protection)
# Checked libc calls where the compiler knows buffer sizes: needs optimisation.
if(NOT bimzo_packager_cxxflags MATCHES "_FORTIFY_SOURCE")
  target_compile_definitions(bimzo_build_flags INTERFACE $<$<CONFIG:Release>:_FORTIFY_SOURCE=2>)
endif()
# A position-independent program, so that it loads at a random address.
if(NOT bimzo_packager_cxxflags MATCHES "-f(no-)?(pic|PIC|pie|PIE)"
   AND NOT bimzo_packager_ldflags MATCHES "-(no-)?pie")
  check_pie_supported(LANGUAGES CXX)
  set_property(TARGET bimzo_build_flags PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)
endif()
# A read-only GOT, bound at start-up.
if(NOT bimzo_packager_ldflags MATCHES "relro")
  target_link_options(bimzo_build_flags INTERFACE LINKER:-z,relro)
endif()
if(NOT bimzo_packager_ldflags MATCHES "-z[, ](now|lazy)")
  target_link_options(bimzo_build_flags INTERFACE LINKER:-z,now)
endif()

# The version, for the code that shows it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildInfo.h.in ${PROJECT_BINARY_DIR}/generated/BuildInfo.h @ONLY)
add_library(bimzo_version INTERFACE)
target_include_directories(bimzo_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
