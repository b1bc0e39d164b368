# Makes the Windows zip, run by cmake -P at build time (windows.cmake):
#   FOLDER/drive.exe               the program, stripped
#   FOLDER/lep.bmp, emblem.bmp     the images it reads
#   FOLDER/licences/               our licence and the notices of what
#                                  drive.exe links statically
# The same commit gives the same zip, wherever and whenever it is built:
# the files are listed in a fixed order, each with fixed permissions and
# the last commit's time (source_date_epoch.cmake), and zip -X leaves out
# the owner and the access and change times; the DOS times in a zip are
# local times, so zip runs in UTC. strip gives the program's PE header
# that time too, as it honours SOURCE_DATE_EPOCH.
#   cmake -DZIP=OUT.zip -DSTAGE=DIR -DFOLDER=NAME -DEXE=drive.exe
#         -DSTRIP=STRIP -DSOURCE_DIR=DIR -DWINDOWS_LIBS=DIR -P windows_zip.cmake
include(${CMAKE_CURRENT_LIST_DIR}/source_date_epoch.cmake)
drive_source_date_epoch(${SOURCE_DIR})

# Where each notice comes from: ours; Allegro's and AllegroGL's from the
# upstream source that scripts/allegro_windows.sh built (beside the
# prefix it installed into); mingw-w64's and GCC's as Debian ships them
# with the cross-compiler.
get_filename_component(allegro_src ${WINDOWS_LIBS}/../src ABSOLUTE)
set(notices
    drive.txt=${SOURCE_DIR}/LICENSE
    README.txt=${SOURCE_DIR}/packaging/windows-licences.txt
    allegro.txt=${allegro_src}/docs/txt/license.txt
    allegrogl.txt=${allegro_src}/addons/allegrogl/zlib.txt
    mingw-w64.txt=/usr/share/doc/mingw-w64-x86-64-dev/copyright
    gcc.txt=/usr/share/doc/gcc-mingw-w64-base/copyright)

set(out ${STAGE}/${FOLDER})
file(REMOVE_RECURSE ${out})
file(REMOVE ${ZIP})
file(MAKE_DIRECTORY ${out}/licences)
execute_process(COMMAND ${STRIP} -o ${out}/drive.exe ${EXE}
                COMMAND_ERROR_IS_FATAL ANY)
file(COPY ${SOURCE_DIR}/data/lep.bmp ${SOURCE_DIR}/data/emblem.bmp
     DESTINATION ${out})
foreach(notice ${notices})
  string(REGEX MATCH "^[^=]+" name "${notice}")
  string(REGEX REPLACE "^[^=]+=" "" from "${notice}")
  if(NOT EXISTS ${from})
    message(FATAL_ERROR "The zip needs ${from} for licences/${name}")
  endif()
  file(COPY_FILE ${from} ${out}/licences/${name})
endforeach()

# GLOB_RECURSE lists in lexicographic order.
file(GLOB_RECURSE files RELATIVE ${STAGE} ${out}/*)
foreach(file ${files})
  set(mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  if(file MATCHES "\\.exe$")
    list(APPEND mode OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
  endif()
  file(CHMOD ${STAGE}/${file} PERMISSIONS ${mode})
endforeach()
execute_process(COMMAND touch -d @$ENV{SOURCE_DATE_EPOCH} ${files}
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q ${ZIP}
                        ${files}
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
