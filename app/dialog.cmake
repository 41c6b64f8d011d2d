# The dialog without a window: model, designed properties, text sets, start-up, handlers and the
# information panel. Portable; quenda.exe links it behind the Win32 toolkit.
add_library(quenda_dialog STATIC
  ${CMAKE_CURRENT_LIST_DIR}/contact_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_behaviour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_design.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_load.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_sets.cpp)
target_include_directories(quenda_dialog PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quenda_dialog PRIVATE quenda_store quenda_warnings)

# The toolkit the dialog tests drive: a virtual clock, recorded message boxes and focus.
add_library(quenda_toolkit_headless STATIC ${CMAKE_CURRENT_LIST_DIR}/toolkit_headless.cpp)
target_link_libraries(quenda_toolkit_headless
  PUBLIC quenda_dialog quenda_platform_headless
  PRIVATE quenda_warnings)
