# The Debian package: what `cmake --install` puts into a prefix, installed
# into /usr, with the documents Debian asks for. `cmake --build build --target
# package` (or ./package.sh) writes build/varn-se_<version>_<arch>.deb from
# the programs already built; nothing is compiled again.

set(VARN_MAINTAINER "Varn SE Maintainers <maintainers@varnse.example>")
set(VARN_HOMEPAGE "https://github.com/varnse/varn-se")
set(VARN_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/varn-se)

# The changelog's entry for this version, dated as the release.
execute_process(COMMAND date -u -R -d "${VARN_RELEASE_DATE} 12:00"
    OUTPUT_VARIABLE VARN_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
set(VARN_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${VARN_CHANGELOG} @ONLY)
add_custom_command(OUTPUT ${VARN_CHANGELOG}.gz
    COMMAND ${VARN_GZIP} -9nkf ${VARN_CHANGELOG}
    DEPENDS ${VARN_CHANGELOG}
    COMMENT "Compressing the changelog")
add_custom_target(varn_changelog ALL DEPENDS ${VARN_CHANGELOG}.gz)
install(FILES ${VARN_CHANGELOG}.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
    DESTINATION ${VARN_PACKAGE_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varn-se)
set(CPACK_PACKAGE_VENDOR "Varn Systems")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VARN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "requirements engineering workstation")
# The long description below the summary; CPack indents it and writes its
# empty lines as " .". It holds no double quote, which CPack's
# configuration file would not keep.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Varn SE is a desktop workstation for writing the requirements of a system as
controlled English sentences, each saying what the system shall do, through
22 fill-in templates, a term-by-term Requirement Builder whose every term is
checked against a clause grammar, or free text.

Requirements are stored with their attributes and versions in a workspace's
SQLite database, registered as an ODBC data source, or in a PostgreSQL
database a team shares. From them Varn SE derives an object model and
generates SQL, C++ headers and Java classes; requirements are exchanged as
ReqIF, CSV and HTML.

The package holds the desktop program varn and the command-line program
varn-cli, which does the same work from scripts.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VARN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VARN_HOMEPAGE})
# The libraries the programs link come from dpkg-shlibdeps; what they load
# at run time is named here: Qt's SQLite driver (every workspace), the SQLite3
# ODBC driver a workspace's data source is registered for, the display and
# SVG plugins of the desktop program. Team workspaces use Qt's PostgreSQL
# driver and register their data source for the PostgreSQL ODBC driver.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libsqliteodbc, qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, odbc-postgresql")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
