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
set(CPACK_DEBIAN_PELLOMAR_PACKAGE_SUGGESTS "pellomar-directory")
set(CPACK_COMPONENT_PELLOMAR_DISPLAY_NAME "Pellomar hotspot locator")
set(CPACK_DEBIAN_PELLOMAR_DESCRIPTION
  "find public Wi-Fi hotspots in an online directory\nA small, fast desktop client for an online directory of public wireless\nhotspots. Pick a country and, if you like, a city, a ZIP code, a location\ntype and an access type, and it lists up to 300 matching hotspots; open any\nof them for its details, photograph, web site and map, and save it as text.\nThe last search's results come back at the next start.")

set(CPACK_DEBIAN_DIRECTORY_PACKAGE_NAME pellomar-directory)
set(CPACK_DEBIAN_DIRECTORY_PACKAGE_SECTION net)
set(CPACK_COMPONENT_DIRECTORY_DISPLAY_NAME "Pellomar demo directory")
set(CPACK_DEBIAN_DIRECTORY_DESCRIPTION
  "demo hotspot directory server for Pellomar\nA small HTTP server with a generated world-wide directory of public Wi-Fi\nhotspots. It answers the Pellomar hotspot locator's searches and picture\nrequests, so the program can be tried with no network beyond the computer\nitself, and takes new hotspots through a form on its home page.")

include(CPack)
