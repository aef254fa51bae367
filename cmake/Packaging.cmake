# `cpack -G DEB` (scripts/package): tallywick_<version>_amd64.deb. The
# libraries it depends on are read from the binaries (dpkg-shlibdeps); what
# only optional parts use is recommended: xdg-open shows reports and pages in
# the desktop's browser, the Wayland plugin runs the window natively there.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallywick)
set(CPACK_PACKAGE_VENDOR "Brackenfold Software")
set(CPACK_PACKAGE_CONTACT "Brackenfold Software <packages@tallywick.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Halo 2 statistics tracker")
set(CPACK_PACKAGE_DESCRIPTION
    "Tallywick keeps a tag list of Halo 2 players, downloads each player's new
games from the game's statistics web site, stores them in a local database,
runs saved SQL queries into a grid or a chart, exports results and whole
tables (Excel 97-2003, CSV, HTML, XML) and writes a per-player HTML career
page. Downloads, reports and exports also run from the command line. The
simulated statistics site tallywick-statsite serves a demo world.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tallywick.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
