# The pixel kernels, their plain resampling reference, and `paginor edit`.
paginor_gtest(imaging_kernels_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/imaging_kernels_test.cpp
  LIBS paginor_imaging paginor_imaging_reference paginor_imaging_cli paginor_codecs paginor_messages paginor_settings)
