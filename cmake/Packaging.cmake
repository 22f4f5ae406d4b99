# The Debian package: `cpack -G DEB` in a release build folder (scripts/package.sh);
# scripts/check-package.sh runs lintian on it.
if(NOT QUINTORA_MAINTAINER)
  message(FATAL_ERROR "QUINTORA_MAINTAINER is set in packaging/CMakeLists.txt, which must come first")
endif()
set(CPACK_PACKAGE_NAME quintora)
set(CPACK_PACKAGE_VENDOR "The Quintora developers")
set(CPACK_PACKAGE_CONTACT "${QUINTORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian's limits: a synopsis under 80 characters without a leading article,
# then lines under 80 characters; an empty line separates paragraphs.
set(CPACK_PACKAGE_DESCRIPTION "\
Quintora builds the season schedule of a sports league whose matches are
played in bars: pool, darts, table football, anything with a fixed number
of playing tables per venue. Every team meets every other team, home and
away are decided so that no bar hosts more matches in a week than it has
tables, and the rounds can be reordered so that every team alternates home
and away games as evenly as possible.

The package holds the desktop program (quintora), a command-line tool that
writes the same schedules without a window (quintora-cli), and a read-only
viewer for schedule files (quintora-view).")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUINTORA_MAINTAINER}")
# Depend on the system's Qt libraries, whatever their version, through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A PDF needs fonts with the league's letters (Latin, Greek and Cyrillic;
# Chinese, Japanese and Korean; emoji); the Qt platform plugins draw the
# windows and let quintora-cli lay out a PDF without a display.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-wqy-microhei, fonts-symbola")

# Stripped programs; folders 0755 whatever the builder's umask. The pre-build
# script also strips what a plain strip keeps (the compiler's .comment) and
# sets every mode (files 0644, folders and programs 0755), as Debian's own
# helpers do.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_QUINTORA_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/packaging/tidy-staging.cmake")
include(CPack)
