# `cpack` in the build tree makes a Debian package of the installation.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandrel)
set(CPACK_PACKAGE_VENDOR "The Vandrel developers")
set(CPACK_PACKAGE_CONTACT "The Vandrel developers <developers@vandrel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shows the current music charts")
set(CPACK_PACKAGE_DESCRIPTION "Vandrel fetches the current top songs and albums from music sources
on the web and shows each as a table: radio airplay lists, top tens by genre
and the charts. The vandrel-fetch command prints the same lists
as text, CSV or JSON.")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://vandrel.example.org/vb/vandrel/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries come from dpkg-shlibdeps; Qt's window-system plugins are a package of their own.
# libcurl's symbols are old, its options are not: the options the program sets need 7.85.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libcurl4 (>= 7.85)")
include(CPack)
