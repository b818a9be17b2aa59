# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package kvcom, made with CPack from the install rules
# (scripts/package.sh builds it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvcom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Corvanet-KV maintainers <kvcom@corvanet-kv.example>"
    CACHE STRING "The package's maintainer, as NAME <EMAIL>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "communication with the KV-730 surface roughness controller")
# CPack puts the summary first, as the synopsis.
set(CPACK_PACKAGE_DESCRIPTION "kvcom stands beside the KV-730 controller of a surface-roughness measuring
instrument: it reads the last measurement, takes stored measurements from
the controller's CF card or from data files, and makes the measurement
certificate as a PDF or on the printer. kv730-sim simulates the controller
on a loopback TCP port.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies come from the shared libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The PDF is drawn with these fonts (Latin and Japanese texts).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-ipafont-gothic")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debian wants 0755 folders whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
