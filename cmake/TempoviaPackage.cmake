# The program as a desktop knows it, and the Debian package `cpack -G DEB`
# builds from the install rules.

# One application id names the desktop entry, the metainfo and the icon: the
# desktop ties them together by it.
set(TEMPOVIA_APP_ID "com.norvane.Tempovia")
# The sizes the icon theme gets; the artwork draws each of them.
set(TEMPOVIA_ICON_SIZES 16 22 24 32 48 64 128 256)

set(TEMPOVIA_PACKAGE_MAINTAINER "Norvane Tempovia team <tempovia@norvane.example>"
    CACHE STRING "Maintainer of the Debian package: name <address>")
# Software centres fetch screenshots from the web: the published copy of
# share/tempovia/screenshots/main-steps.png.
set(TEMPOVIA_SCREENSHOT_URL "https://www.norvane.example/tempovia/screenshots/main-steps.png"
    CACHE STRING "Where the published screenshot of the main window is served")

# Directories the install creates are world-readable whatever the umask, as a
# package needs them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_NAME tempovia)
set(CPACK_PACKAGE_VENDOR Norvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop companion for a step and heart-rate watch")
set(CPACK_PACKAGE_DESCRIPTION
    "Tempovia reads a wrist-worn step and heart-rate watch through its USB link:
the last seven days of totals (steps, calories, distance, speed, heart rate,
exercise time, fat burnt) and up to seven timed exercise sessions. It keeps
them per local user on this computer and shows them as week, month and year
charts, an exercise table and a calendar; it writes PDF reports, sets the
watch's clock, and exports and imports its data folder.

The package holds the windowed program, tempovia, the command-line tool,
tempovia-cli, and a udev rule that lets the person at the computer open the
watch.")
set(CPACK_PACKAGE_CONTACT "${TEMPOVIA_PACKAGE_MAINTAINER}")
# /usr, so that udev finds the rule in /usr/lib/udev/rules.d.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TEMPOVIA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from what the programs link; the windows are laid out for
# the metrics of Liberation Sans and DejaVu Sans Condensed, which stand in for
# the fonts they name. Opening a report or the help goes through xdg-open;
# on a Wayland desktop (GNOME's default) Qt needs its Wayland platform,
# without which the windows run through XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-extra")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/resources/debian/postinst
                                       ${PROJECT_SOURCE_DIR}/resources/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
