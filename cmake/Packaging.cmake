# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installing and packaging: the desktop files (packaging/) and Debian packages through CPack.
#   pellomar            the program, its reference files, menu entry, icons and metainfo
#   pellomar-directory  the demo directory server and its data
# `make package` builds both .deb files in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellomar)
set(CPACK_PACKAGE_VENDOR "The Pellomar developers")
set(CPACK_PACKAGE_CONTACT "The Pellomar developers <developers@pellomar.example>")
add_subdirectory(${CMAKE_SOURCE_DIR}/packaging ${CMAKE_BINARY_DIR}/packaging)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# lintian's informational tags that stay, and why:
# - binary-has-unneeded-section .comment: CPack strips with plain `strip`, which keeps the
#   compiler's one-line .comment; harmless, and dh_strip is not part of a CMake build.
# - package-contains-documentation-outside-usr-share-doc: countries.txt, locations.txt and the
#   demo's hotspots.txt are data the programs read, not documentation; lintian goes by the name.
# - hardening-no-fortify-functions (pellomar): it is built with _FORTIFY_SOURCE=2 (see the
#   top CMakeLists.txt), but its memcpy, memmove and memset calls come from the standard
#   containers, whose buffers' sizes the compiler cannot know, so none becomes a checked call.
# - arch-dep-package-has-big-usr-share (pellomar-directory): the demo's dataset and pictures,
#   15 MB; a separate architecture-independent data package is not worth it for a demo server.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL pellomar)
if(PELLOMAR_BUILD_SERVER)
  list(APPEND CPACK_COMPONENTS_ALL directory)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Each package's description below carries its own synopsis on its first line.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY IGNORE)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# dpkg-shlibdeps (dpkg-dev) turns the libraries the programs link into Depends, so the Qt
# libraries come with the package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_PELLOMAR_PACKAGE_NAME pellomar)
set(CPACK_DEBIAN_PELLOMAR_PACKAGE_SECTION net)
# Text needs a font, and the windows are laid out for Verdana's stand-in, DejaVu Sans; both
# are loaded at run time, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PELLOMAR_PACKAGE_DEPENDS "fonts-dejavu-core")
# Qt's own texts (message box and file dialog buttons) in the program's languages, loaded at run
# time; without them those buttons stay English and nothing else changes, so a recommendation.
set(CPACK_DEBIAN_PELLOMAR_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PELLOMAR_PACKAGE_SUGGESTS "pellomar-directory")
set(CPACK_COMPONENT_PELLOMAR_DISPLAY_NAME "Pellomar hotspot locator")
set(CPACK_DEBIAN_PELLOMAR_DESCRIPTION
  "find public Wi-Fi hotspots in an online directory\nA small, fast desktop client for an online directory of public wireless\nhotspots. Pick a country and, if you like, a city, a ZIP code, a location\ntype and an access type, and it lists up to 300 matching hotspots; open any\nof them for its details, photograph, web site and map, and save it as text;\na map window shows where the listed hotspots are. The last search's results\ncome back at the next start.")

set(CPACK_DEBIAN_DIRECTORY_PACKAGE_NAME pellomar-directory)
set(CPACK_DEBIAN_DIRECTORY_PACKAGE_SECTION net)
set(CPACK_COMPONENT_DIRECTORY_DISPLAY_NAME "Pellomar demo directory")
set(CPACK_DEBIAN_DIRECTORY_DESCRIPTION
  "demo hotspot directory server for Pellomar\nA small HTTP server with a generated world-wide directory of public Wi-Fi\nhotspots. It answers the Pellomar hotspot locator's searches and picture\nrequests and draws map tiles of its own, so the program can be tried with no\nnetwork beyond the computer itself, and takes new hotspots through a form on\nits home page.")

include(CPack)
