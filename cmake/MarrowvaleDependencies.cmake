# Third-party libraries, all from Debian packages (see scripts/install-deps).
# Each is found once here and exposed as an imported target; subsystems link what they need.

find_package(PkgConfig REQUIRED)

find_package(LibXml2 REQUIRED)                       # LibXml2::LibXml2
find_package(ZLIB REQUIRED)                          # ZLIB::ZLIB
find_package(fmt REQUIRED)                           # fmt::fmt
find_package(nlohmann_json 3 REQUIRED)               # nlohmann_json::nlohmann_json
find_package(ICU REQUIRED COMPONENTS uc i18n)        # ICU::uc ICU::i18n

pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)   # PkgConfig::XLSXWRITER

# Media probing: optional at configure time so the core builds without FFmpeg.
pkg_check_modules(FFMPEG IMPORTED_TARGET libavformat libavcodec libavutil libswscale)  # PkgConfig::FFMPEG
pkg_check_modules(TURBOJPEG IMPORTED_TARGET libturbojpeg)                            # PkgConfig::TURBOJPEG
pkg_check_modules(TAGLIB IMPORTED_TARGET taglib)                                     # PkgConfig::TAGLIB

if(MARROWVALE_BUILD_GUI)
  find_package(Qt6 QUIET COMPONENTS Widgets)
  if(NOT Qt6_FOUND)
    message(STATUS "Qt 6 Widgets not found: the desktop front end is not built")
  endif()
endif()
