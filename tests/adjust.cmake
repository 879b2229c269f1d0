paginor_gtest(adjust_test SOURCES adjust_test.cpp
  LIBS paginor_adjust paginor_imaging_cli paginor_codecs paginor_page_commands paginor_messages paginor_settings)
paginor_qtest(adjust_ui_test SOURCES adjust_ui_test.cpp LIBS paginor_adjust_ui paginor_app Qt6::Test)
