# KelvoRestartSetup.exe, built by NSIS's makensis from installer/KelvoRestart.nsi with the
# program, its help file and the six libraries of this build. Needs the help file, so it is
# built only where chmcmd and makensis are found.
find_program(KV_MAKENSIS makensis)

set(KV_SETUP_FILE ${CMAKE_BINARY_DIR}/installer/KelvoRestartSetup.exe)
set(kv_libraries KVCore KVSettings KVFiles KVWidgets KVHooks KVAbout)

if(KV_MAKENSIS AND KV_CHMCMD AND TARGET KVRestart)
  # makensis takes the libraries from one folder; the build puts each into its own.
  set(kv_setup_stage ${CMAKE_BINARY_DIR}/installer/libraries)
  set(kv_copy_libraries "")
  foreach(lib ${kv_libraries})
    list(APPEND kv_copy_libraries COMMAND ${CMAKE_COMMAND} -E copy_if_different
         $<TARGET_FILE:${lib}> ${kv_setup_stage}/${lib}.dll)
  endforeach()
  add_custom_command(
    OUTPUT ${KV_SETUP_FILE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${kv_setup_stage}
    ${kv_copy_libraries}
    COMMAND ${KV_MAKENSIS} -V2 -INPUTCHARSET UTF8
            -DVERSION=${KV_VERSION_TEXT} -DOUTFILE=${KV_SETUP_FILE}
            -DPROGRAM=$<TARGET_FILE:KVRestart> -DHELPFILE=${KV_HELP_FILE}
            -DLIBRARIES=${kv_setup_stage} -DICON=${CMAKE_SOURCE_DIR}/app/res/KVRestart.ico
            ${CMAKE_SOURCE_DIR}/installer/KelvoRestart.nsi
    DEPENDS ${CMAKE_SOURCE_DIR}/installer/KelvoRestart.nsi KVRestart ${kv_libraries}
            ${KV_HELP_FILE} ${CMAKE_SOURCE_DIR}/app/res/KVRestart.ico
    COMMENT "NSIS: KelvoRestartSetup.exe")
  add_custom_target(setup ALL DEPENDS ${KV_SETUP_FILE})
else()
  message(STATUS "makensis or chmcmd not found: KelvoRestartSetup.exe is not built")
endif()
