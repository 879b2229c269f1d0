paginor_gtest(imaging_codecs_test
  SOURCES imaging_codecs_test.cpp imaging_fastio_test.cpp imaging_hardening_test.cpp imaging_colour_test.cpp
  LIBS paginor_codecs paginor_imaging_qt)
