# The Debian package: `cpack -G DEB` in a release build folder (scripts/package.sh).
set(CPACK_PACKAGE_NAME quintora)
set(CPACK_PACKAGE_VENDOR "The Quintora developers")
set(CPACK_PACKAGE_CONTACT "The Quintora developers <maintainers@quintora.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Quintora builds the season schedule of a sports league whose matches are played in bars:\n\
a round-robin in which no bar hosts more matches in a week than it has tables, with the\n\
rounds optionally reordered so that every team alternates home and away evenly.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Depend on the system's Qt libraries, whatever their version, through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
