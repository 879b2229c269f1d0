# Loading files into frames: the load step on the page model, then the window side.
paginor_gtest(loading_test SOURCES loading_test.cpp LIBS paginor_loading paginor_codecs)
paginor_qtest(loading_ui_test SOURCES loading_ui_test.cpp LIBS paginor_load_ui paginor_codecs Qt6::Test)
