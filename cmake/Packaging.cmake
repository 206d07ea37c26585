# Installation and the Debian package.
#
# cmake --install puts the sign-in launcher, the client, its .xls reader, the
# password tool and the office tool side by side in <prefix>/bin (the client starts the reader from its own folder),
# the report definitions in <prefix>/share/selvar_n/reports, where the client
# looks for them relative to its own folder, and the desktop entry, icon and
# documentation in their usual places under <prefix>/share.
#
# The package adds the configuration files: the client reads them beside its
# executable, so /usr/bin holds links to the files in /etc/selvar_n, which the
# package marks as configuration (kept on upgrade, removed on purge). A plain
# cmake --install leaves them out: there the files are written beside the
# executable by hand.
include(GNUInstallDirs)

# "make install" and cpack install what has been built; the package script
# builds only the programs that are shipped, not the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(SELVAR_CONFIG_FILES Databases.ini RNUpdate.ini Main.ini selvar_n.ini)
set(SELVAR_CONFIG_DIR /etc/selvar_n)

install(TARGETS selvar selvar_n selvar_xlsread selvar_passwd selvar_admin
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT client)
# The definitions may not all exist yet; an absent folder installs nothing.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/reports/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/selvar_n/reports COMPONENT client OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/selvar_n.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT client)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/selvar_n.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT client)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT client)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT client
        FILES_MATCHING PATTERN "*.md")

# Package only: the configuration files in /etc and their links beside the
# executable.
set(config_links ${PROJECT_BINARY_DIR}/config-links)
file(MAKE_DIRECTORY ${config_links})
set(link_files "")
set(conffiles "")
foreach(ini IN LISTS SELVAR_CONFIG_FILES)
  file(CREATE_LINK ${SELVAR_CONFIG_DIR}/${ini} ${config_links}/${ini} SYMBOLIC)
  list(APPEND link_files ${config_links}/${ini})
  string(APPEND conffiles "${SELVAR_CONFIG_DIR}/${ini}\n")
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/etc/${ini} DESTINATION ${SELVAR_CONFIG_DIR}
          COMPONENT system_config EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${link_files} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT system_config EXCLUDE_FROM_ALL)
file(WRITE ${PROJECT_BINARY_DIR}/debian/conffiles "${conffiles}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selvar-n)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "임대업장 관리 - leased business site management client")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop client for managing the leased business sites of a resort: sites and lease
contracts, payment schedules, management-fee bills and imports, receipts,
monthly closing with carried-over arrears, inquiries, exports and reports.
It works on an embedded database file or on a shared PostgreSQL server.")
set(CPACK_PACKAGE_CONTACT "selvar_n maintainers <selvar-n@localhost>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL client system_config)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link come from dpkg-shlibdeps; the Qt plugins,
# translations and fonts that are loaded at run time are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-psql, qt6-translations-l10n, fonts-nanum")
# LibreOffice Calc shows the exported workbooks, xdg-utils opens files through
# the desktop, sqlite3 makes the backups of the embedded file.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc, xdg-utils, sqlite3")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/conffiles)
include(CPack)
