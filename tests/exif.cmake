# EXIF reader, details text and `paginor exif`.
paginor_gtest(exif_test SOURCES exif_test.cpp LIBS paginor_exif_cli paginor_settings)
