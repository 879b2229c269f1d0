# The pixel kernels: plain C++, no Qt.
add_library(paginor_imaging STATIC
  ${CMAKE_CURRENT_LIST_DIR}/parallel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rotate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/orientation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/curve_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lut_curve.cpp
  ${CMAKE_CURRENT_LIST_DIR}/adjust.cpp
  ${CMAKE_CURRENT_LIST_DIR}/crop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/convolve.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fit.cpp)
target_link_libraries(paginor_imaging PUBLIC paginor_bitmap)
find_package(Threads REQUIRED)
target_link_libraries(paginor_imaging PRIVATE Threads::Threads)
# The hot loops are written for the vectoriser, which -O2 runs only in its cheapest
# mode; they stay bit-exact because they compute in integers (or floats holding exact
# integers).
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/resample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rotate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/convolve.cpp
  PROPERTIES COMPILE_OPTIONS "-O3;-ffp-contract=fast;-fno-loop-unroll-and-jam")

# The plain reading of the resampling rules that the fast one is held to.
add_library(paginor_imaging_reference STATIC ${CMAKE_CURRENT_LIST_DIR}/resample_reference.cpp)
target_link_libraries(paginor_imaging_reference PUBLIC paginor_imaging)

# `paginor edit` and `paginor curve`: the kernels from the command line, files through the codecs.
add_library(paginor_imaging_cli STATIC ${CMAKE_CURRENT_LIST_DIR}/edit_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/curve_command.cpp)
target_link_libraries(paginor_imaging_cli PUBLIC paginor_imaging paginor_messages
  PRIVATE paginor_codecs paginor_settings)

# The adjustment window's rules on the frame table (the curve and the working images
# themselves are kernels above).
add_library(paginor_adjust STATIC ${CMAKE_CURRENT_LIST_DIR}/adjust_frames.cpp)
target_link_libraries(paginor_adjust PUBLIC paginor_imaging paginor_page
  PRIVATE paginor_page_commands paginor_loading paginor_messages)
set_target_properties(paginor_adjust PROPERTIES AUTOMOC OFF)
