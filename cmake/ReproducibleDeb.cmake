# Run by cpack after it made the .deb (CPACK_POST_BUILD_SCRIPTS). CPack's own
# archive keeps what the build machine left: the umask's modes, the times of
# checkout, configure, install and packing, and an Installed-Size summed from
# the file system's directory sizes. This repacks the same files with
# dpkg-deb, so that the same sources give the same bytes anywhere:
# directories 0755, files 0644 or 0755, every time SOURCE_DATE_EPOCH (else
# the release date in NEWS), and Installed-Size counted as dpkg-gencontrol
# counts it.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  set(epoch ${CPACK_BIMZO_SOURCE_DATE_EPOCH})
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH '${epoch}' is not a number of seconds")
endif()

# dpkg-gencontrol's count: each regular file or symbolic link its size in KiB
# rounded up, every other entry (directories, the root too) 1.
function(bimzo_installed_size root out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${root}" "${root}/*")
  set(kib 1)
  foreach(entry IN LISTS entries)
    set(path "${root}/${entry}")
    if(entry MATCHES "^DEBIAN(/|$)")
      continue()
    elseif(IS_SYMLINK "${path}")
      file(READ_SYMLINK "${path}" target)
      string(LENGTH "${target}" size)
    elseif(IS_DIRECTORY "${path}")
      math(EXPR kib "${kib} + 1")
      continue()
    else()
      file(SIZE "${path}" size)
    endif()
    math(EXPR kib "${kib} + (${size} + 1023) / 1024")
  endforeach()
  set(${out} ${kib} PARENT_SCOPE)
endfunction()

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(root "${deb}.tree")
  file(REMOVE_RECURSE "${root}")
  execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${root}" COMMAND_ERROR_IS_FATAL ANY)
  # X: directories and whatever was executable get x, nothing else does.
  execute_process(COMMAND chmod -R u=rwX,go=rX,ug-s,-t "${root}" COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND find "${root}" -exec touch -h -d @${epoch} {} + COMMAND_ERROR_IS_FATAL ANY)

  bimzo_installed_size("${root}" kib)
  set(control "${root}/DEBIAN/control")
  file(READ "${control}" fields)
  if(NOT fields MATCHES "\nInstalled-Size: [0-9]+\n")
    message(FATAL_ERROR "${control} has no Installed-Size")
  endif()
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" fields "${fields}")
  string(REGEX REPLACE "\n+$" "\n" fields "${fields}")
  file(WRITE "${control}" "${fields}")
  execute_process(COMMAND touch -d @${epoch} "${control}" COMMAND_ERROR_IS_FATAL ANY)

  # One compressor thread: xz's multi-threaded output differs from its
  # single-threaded one, so the number of cores would show in the bytes.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C SOURCE_DATE_EPOCH=${epoch}
            dpkg-deb --root-owner-group -Zxz --threads-max=1 --build "${root}" "${deb}.new"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(RENAME "${deb}.new" "${deb}")
  file(REMOVE_RECURSE "${root}")
endforeach()
