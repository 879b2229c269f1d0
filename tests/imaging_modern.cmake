# The phone, web and camera formats (HEIF, AVIF, WebP, JPEG XL, camera RAW), through the
# codecs, the EXIF reader and the load step.
# libheif's encoder writes the HEIF file whose transforms hold its orientation.
pkg_check_modules(TEST_HEIF REQUIRED IMPORTED_TARGET libheif)
paginor_gtest(imaging_modern_test SOURCES imaging_modern_test.cpp LIBS paginor_loading paginor_codecs paginor_exif
  PkgConfig::TEST_HEIF)
