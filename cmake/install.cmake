# Install rules: the Debian layout for games, relative to the prefix, so
# that `cmake --install --prefix ANY` gives a working tree:
#   games/drive                          the launcher (a shell script)
#   lib/games/drive/drive                the program
#   share/games/drive/{lep,emblem}.bmp   its images
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man6,
#   share/doc/drive                      desktop entry, AppStream data, icons,
#                                        manual page, copyright, changelog
include(GNUInstallDirs)

# The desktop entry, AppStream component and icon share one name: the
# reverse of a domain, as AppStream asks. The project has no domain of
# its own, so it uses the reserved .invalid one (see docs/packaging.md).
set(DRIVE_APP_ID "invalid.drive.drive")

set(DRIVE_INSTALL_GAMESDIR "games" CACHE STRING
    "Folder of the launcher, relative to the prefix")
set(DRIVE_INSTALL_PROGRAMDIR "lib/games/drive" CACHE STRING
    "Folder of the program, relative to the prefix")
set(DRIVE_INSTALL_GAMEDATADIR "${CMAKE_INSTALL_DATAROOTDIR}/games/drive"
    CACHE STRING "Folder of the images, relative to the prefix")
foreach(dir GAMESDIR PROGRAMDIR GAMEDATADIR)
  if(IS_ABSOLUTE "${DRIVE_INSTALL_${dir}}")
    message(FATAL_ERROR "DRIVE_INSTALL_${dir} must be relative to the prefix")
  endif()
endforeach()

# The launcher knows the other two folders only relative to its own.
file(RELATIVE_PATH DRIVE_LAUNCHER_TO_DATA "/${DRIVE_INSTALL_GAMESDIR}"
     "/${DRIVE_INSTALL_GAMEDATADIR}")
file(RELATIVE_PATH DRIVE_LAUNCHER_TO_PROGRAM "/${DRIVE_INSTALL_GAMESDIR}"
     "/${DRIVE_INSTALL_PROGRAMDIR}/drive")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(staged ${PROJECT_BINARY_DIR}/packaging)

# The version is project()'s and the messages are the table's
# (messages/messages.def): the files that show them are filled in here.
include(${PROJECT_SOURCE_DIR}/messages/messages.cmake)
drive_messages(${PROJECT_SOURCE_DIR})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/messages/messages.def)
configure_file(${packaging}/drive.in ${staged}/drive @ONLY)
foreach(file drive.6 changelog drive.metainfo.xml)
  configure_file(${packaging}/${file} ${staged}/${file} @ONLY)
endforeach()
# The page's meanings, which web/web.cmake puts beside the page.
set(DRIVE_MEANINGS_JS ${PROJECT_BINARY_DIR}/page/meanings.js)
configure_file(${PROJECT_SOURCE_DIR}/web/page/meanings.js.in
               ${DRIVE_MEANINGS_JS} @ONLY)

# Debian wants the manual page and the changelog compressed, without a
# time stamp (-n) so that the same sources give the same package.
foreach(doc drive.6 changelog)
  add_custom_command(OUTPUT ${staged}/${doc}.gz
                     COMMAND gzip -9nkf ${staged}/${doc}
                     DEPENDS ${staged}/${doc} VERBATIM)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${staged}/drive.6.gz
                                              ${staged}/changelog.gz)

install(TARGETS drive RUNTIME DESTINATION ${DRIVE_INSTALL_PROGRAMDIR})
install(PROGRAMS ${staged}/drive DESTINATION ${DRIVE_INSTALL_GAMESDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/lep.bmp
              ${PROJECT_SOURCE_DIR}/data/emblem.bmp
        DESTINATION ${DRIVE_INSTALL_GAMEDATADIR})
install(FILES ${packaging}/drive.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications
        RENAME ${DRIVE_APP_ID}.desktop)
install(FILES ${staged}/drive.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo
        RENAME ${DRIVE_APP_ID}.metainfo.xml)
foreach(size 48 64 128 256)
  install(FILES ${packaging}/icons/${size}x${size}/drive.png
          DESTINATION
            ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${DRIVE_APP_ID}.png)
endforeach()
install(FILES ${staged}/drive.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging}/copyright ${staged}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
