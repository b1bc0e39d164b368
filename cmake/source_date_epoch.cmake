# SOURCE_DATE_EPOCH, the time that the packages give every file they hold
# instead of the time of the build, so that two builds of the same commit
# give the same .deb and zip.
# Included by CPack (through package.cmake's project config file) and by
# windows_zip.cmake, when they run: a build made before a later commit
# still takes that commit's time.
#
# drive_source_date_epoch(SOURCE_DIR) sets ENV{SOURCE_DATE_EPOCH}, unless
# whoever builds has set it, to the last commit's time, or, outside a git
# checkout, to the time of the latest entry in packaging/changelog.
function(drive_source_date_epoch source_dir)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
  endif()
  execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR NOT epoch MATCHES "^[0-9]+$")
    # The trailer line: " -- NAME <ADDRESS>  Tue, 08 Dec 2026 10:00:00 +0000"
    file(STRINGS ${source_dir}/packaging/changelog trailers REGEX "^ -- ")
    list(GET trailers 0 trailer)
    string(REGEX REPLACE "^.*>  " "" date "${trailer}")
    execute_process(COMMAND date -d "${date}" +%s OUTPUT_VARIABLE epoch
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endfunction()
