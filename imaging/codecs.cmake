# The codecs: image files in and out. Qt's image readers and ImageMagick decode what
# libjpeg does not; the QImage adapter is a target of its own for the widgets.
add_library(paginor_imaging_qt STATIC qimage_adapter.cpp qimage_adapter.h over_white.h)
target_link_libraries(paginor_imaging_qt PUBLIC paginor_bitmap Qt6::Gui)
set_target_properties(paginor_imaging_qt PROPERTIES AUTOMOC OFF)

add_library(paginor_codecs STATIC
  codecs.h codec_messages.h codec_internal.h
  formats.cpp file_io.cpp jpeg_codec.cpp bmp_writer.cpp
  qt_reader.cpp bmp_checks.cpp magick_reader.cpp gm_reader.cpp animator_reader.cpp)
target_link_libraries(paginor_codecs
  PUBLIC paginor_bitmap
  PRIVATE paginor_imaging_qt Qt6::Gui JPEG::JPEG PkgConfig::MAGICKXX)
set_target_properties(paginor_codecs PROPERTIES AUTOMOC OFF)

# Uncompressed pictures straight between files and rows, for large scans and the editor.
target_sources(paginor_codecs PRIVATE fast_io.h pnm_reader.cpp)
target_link_libraries(paginor_codecs PRIVATE paginor_imaging) # its thread split
# Their pixel loops are written for the vectoriser, which -O2 runs only in its cheapest
# mode (it then leaves the sample narrowing scalar, 40 ms for a 6000 x 4000 picture).
set_source_files_properties(pnm_reader.cpp bmp_writer.cpp PROPERTIES COMPILE_OPTIONS "-O3")

# Screen-sized JPEG renditions (DCT-scaled decoding) for the frames on the page.
target_sources(paginor_codecs PRIVATE jpeg_scaled.h jpeg_scaled.cpp)

# ICC profiles embedded in pictures, converted to sRGB with Little CMS.
pkg_check_modules(LCMS2 REQUIRED IMPORTED_TARGET lcms2)
target_sources(paginor_codecs PRIVATE colour_profile.cpp)
target_link_libraries(paginor_codecs PRIVATE PkgConfig::LCMS2)

# The phone, web and camera formats: HEIF and AVIF (libheif), WebP (libwebp), JPEG XL
# (libjxl) and camera RAW (LibRaw), each decoded in process.
pkg_check_modules(HEIF REQUIRED IMPORTED_TARGET libheif)
pkg_check_modules(WEBP REQUIRED IMPORTED_TARGET libwebp libwebpdemux)
pkg_check_modules(JXL REQUIRED IMPORTED_TARGET libjxl libjxl_threads)
pkg_check_modules(LIBRAW REQUIRED IMPORTED_TARGET libraw_r)
# A phone's grid of HEVC tiles is decoded with libde265 (libheif's own HEVC decoder) a
# row of tiles at a time.
pkg_check_modules(DE265 REQUIRED IMPORTED_TARGET libde265)
target_sources(paginor_codecs PRIVATE modern_formats.h phone_codecs.cpp heif_grid.h heif_grid.cpp raw_codec.cpp)
target_link_libraries(paginor_codecs PRIVATE PkgConfig::HEIF PkgConfig::WEBP PkgConfig::JXL PkgConfig::LIBRAW
                                             PkgConfig::DE265)

# The EXIF block inside HEIF, WebP and JPEG XL files, for the decoders' orientation and
# the EXIF reader's camera data (no Qt).
add_library(paginor_exif_blocks STATIC exif_blocks.h exif_blocks.cpp)
target_include_directories(paginor_exif_blocks PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(paginor_exif_blocks PRIVATE PkgConfig::HEIF PkgConfig::WEBP PkgConfig::JXL)
set_target_properties(paginor_exif_blocks PROPERTIES AUTOMOC OFF)
target_link_libraries(paginor_codecs PRIVATE paginor_exif_blocks)
