# Run by cpack after it has installed the files to package and before it
# archives them: every folder gets 0755. CPack makes the folders with
# the builder's umask, which CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
# cannot widen: built under umask 077, the package would install folders
# that only root can read. The files' modes are the install rules' own.
file(GLOB_RECURSE dirs LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(dir ${dirs})
  if(IS_DIRECTORY ${dir})
    file(CHMOD ${dir} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
               GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
