# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh makes a clean release
# build first). Everything install() puts under the prefix goes in.

# The maintainer is whoever signed the newest changelog entry.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog signatures REGEX "^ -- ")
list(GET signatures 0 newest_signature)
string(REGEX REPLACE "^ -- (.*>)  .*$" "\\1" VELDRASSA_MAINTAINER "${newest_signature}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veldrassa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VELDRASSA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "staff and wage statistics of one reporting unit")
set(CPACK_PACKAGE_DESCRIPTION [[
Veldrassa keeps a reporting unit's staff rosters and monthly wages through
one statistical year, codes and audits every staff answer, and produces the
official statistical forms: the quarterly and annual reports of employees
and wages, the wage summaries by staff category and the talent-resources
summaries, as workbooks and as dBASE submission files.

The window program and its command line, veldrassa-cli, work on the same
work folder. The user interface is in Chinese.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from what the programs link; the font and Qt's own Chinese texts are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
