# EXIF reader, details text and `paginor exif`.
paginor_gtest(exif_test SOURCES exif_test.cpp exif_any_jpeg_test.cpp LIBS paginor_exif_cli paginor_settings)
# One case runs `paginor exif` itself; it must see the program of this build.
add_dependencies(exif_test paginor)
