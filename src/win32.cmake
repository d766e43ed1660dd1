# Win32 code: the runtime services over the real system, the windows, and
# Velmora.exe itself.
add_library(velmora_win STATIC
  about/about_box_win.cpp
  about/advertise_win.cpp
  about/browser_host_win.cpp
  about/version_info_win.cpp
  addfiles/progress_window_win.cpp
  main/main_window_win.cpp
  runtime/code_page_win.cpp
  runtime/controls_win.cpp
  runtime/dialogs_win.cpp
  runtime/event_loop_win.cpp
  runtime/file_dialog_win.cpp
  runtime/file_system_win.cpp
  runtime/machine_win.cpp
  runtime/processes_win.cpp
  runtime/registry_win.cpp
  runtime/run_lock_win.cpp
  runtime/start_join_win.cpp
  runtime/window_win.cpp
  shellmenu/form_controls_win.cpp
)
target_include_directories(velmora_win PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(velmora_win PUBLIC velmora_core comctl32 comdlg32 shell32 user32 gdi32
                                         kernel32 ole32 oleaut32 uuid version advapi32 uxtheme)

# Resource scripts include each other relative to the resources folder.
set(VELMORA_RUNTIME_RC ${CMAKE_CURRENT_SOURCE_DIR}/resources/runtime.rc PARENT_SCOPE)

add_executable(Velmora WIN32 main/main_win.cpp resources/velmora.rc)
target_link_libraries(Velmora PRIVATE velmora_win)
if(MINGW)
  target_link_options(Velmora PRIVATE -municode)
endif()
set_source_files_properties(resources/velmora.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/resources/velmora.ico;${VELMORA_GENERATED}/velmora.manifest;${CMAKE_CURRENT_SOURCE_DIR}/resources/runtime.rc;${VELMORA_VERSION_HEADER}")

# The uninstaller's helper: the program's verb removed with the same code
# as the check box uses.
add_executable(velmora-verb shellmenu/verb_tool_win.cpp resources/velmora_verb.rc)
set_source_files_properties(resources/velmora_verb.rc PROPERTIES OBJECT_DEPENDS
  "${VELMORA_GENERATED}/velmora_verb.manifest;${VELMORA_VERSION_HEADER}")
target_link_libraries(velmora-verb PRIVATE velmora_win)
if(MINGW)
  target_link_options(velmora-verb PRIVATE -municode)
endif()

# The per-user installer (NSIS), when makensis is there.
find_program(VELMORA_MAKENSIS makensis)
if(VELMORA_MAKENSIS)
  set(VELMORA_SETUP ${CMAKE_BINARY_DIR}/package/Velmora-${PROJECT_VERSION}-setup.exe)
  set(VELMORA_SETUP ${VELMORA_SETUP} PARENT_SCOPE)
  add_custom_command(
    OUTPUT ${VELMORA_SETUP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
    COMMAND ${VELMORA_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
            -DBIN=${CMAKE_BINARY_DIR}/bin -DOUT=${VELMORA_SETUP}
            -DICON=${CMAKE_CURRENT_SOURCE_DIR}/resources/velmora.ico
            ${PROJECT_SOURCE_DIR}/installer/velmora.nsi
    DEPENDS Velmora jhead velmora-verb ${PROJECT_SOURCE_DIR}/installer/velmora.nsi
    COMMENT "Building the installer")
  add_custom_target(installer ALL DEPENDS ${VELMORA_SETUP})
endif()
