# Flags every target of the project links, instead of global options, so that
# the sanitizer and hardening flags reach exactly our own code.
add_library(bimzo_build_flags INTERFACE)
target_compile_options(bimzo_build_flags INTERFACE -Wall -Wextra)
if(BIMZO_SANITIZE)
  target_compile_options(bimzo_build_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(bimzo_build_flags INTERFACE -fsanitize=address,undefined)
endif()
# Hardening as Debian builds packages: checked libc calls where the compiler
# knows buffer sizes (needs optimisation, hence Release), and a read-only GOT
# bound at start-up.
target_compile_definitions(bimzo_build_flags INTERFACE $<$<CONFIG:Release>:_FORTIFY_SOURCE=2>)
target_link_options(bimzo_build_flags INTERFACE LINKER:-z,relro,-z,now)

# The version, for the code that shows it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildInfo.h.in ${PROJECT_BINARY_DIR}/generated/BuildInfo.h @ONLY)
add_library(bimzo_version INTERFACE)
target_include_directories(bimzo_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
