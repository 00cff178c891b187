# The Debian package: the manual pages and the package's documents are installed with the rest,
# and `cpack -G DEB` in the build folder packs everything `cmake --install` puts under /usr.
# tools/package.sh does the whole build.
include(GNUInstallDirs)

set(VELLMORA_BUILD_NUMBER 1 CACHE STRING "Build number, the Debian revision of the package")
set(VELLMORA_DEB_MAINTAINER "Vellmora developers <vellmora-devel@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(VELLMORA_DEB_VERSION ${VELLMORA_VERSION_TEXT}-${VELLMORA_BUILD_NUMBER})

find_program(GZIP_PROGRAM gzip REQUIRED)
set(VELLMORA_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in
    ${VELLMORA_PACKAGING_DIR}/changelog.Debian @ONLY)

# Compressed without a name or a time stamp, so the same sources give the same files.
set(compressed)
foreach(source ${CMAKE_SOURCE_DIR}/doc/vellmora.6 ${CMAKE_SOURCE_DIR}/doc/vellmora-sim.6
        ${VELLMORA_PACKAGING_DIR}/changelog.Debian)
    get_filename_component(name ${source} NAME)
    set(output ${VELLMORA_PACKAGING_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "'${GZIP_PROGRAM}' -9n -c '${source}' > '${output}'"
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(vellmora_documents ALL DEPENDS ${compressed})

install(FILES ${VELLMORA_PACKAGING_DIR}/vellmora.6.gz ${VELLMORA_PACKAGING_DIR}/vellmora-sim.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${VELLMORA_PACKAGING_DIR}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellmora)
set(CPACK_PACKAGE_VERSION ${VELLMORA_VERSION_TEXT})
set(CPACK_PACKAGE_CONTACT ${VELLMORA_DEB_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based restaurant chain business simulation")
# Lines of the long description stay under 80 columns (Debian's limit).
set(CPACK_PACKAGE_DESCRIPTION
    "Found a chain of restaurants on the tile map of a town and compete against
one to three computer-run companies, one month a turn: build and close shops,
set the monthly budgets, change the management system and borrow against your
credit rating, until every competitor has withdrawn or your own company goes
bankrupt. The interface is in Japanese.
The package also holds vellmora-sim, which plays whole games without a screen.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VELLMORA_BUILD_NUMBER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries from the binaries (dpkg-shlibdeps), and what the game reads at run time: the
# General MIDI soundfont for the music and a font with Japanese glyphs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fluid-soundfont-gm, fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic, qt6-translations-l10n")
include(CPack)
