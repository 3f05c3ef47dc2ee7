# The help file KVRestart.chm, next to KVRestart.exe (OpenHelp looks for it there), compiled
# by Free Pascal's chmcmd from the German pages in help/. The build fails when the code names a
# topic that has no page; without chmcmd (a Windows build) only that check runs.
find_program(KV_CHMCMD chmcmd)

set(KV_HELP_FILE ${CMAKE_BINARY_DIR}/app/KVRestart.chm)
set(kv_help_stamp ${CMAKE_BINARY_DIR}/help/topics.txt)
file(GLOB_RECURSE kv_help_inputs CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/help/* ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/*.h
  ${CMAKE_SOURCE_DIR}/lib/*.cpp ${CMAKE_SOURCE_DIR}/lib/*.h)
file(GLOB kv_help_images CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/images/*.png)

set(kv_help_outputs ${kv_help_stamp})
if(KV_CHMCMD)
  list(APPEND kv_help_outputs ${KV_HELP_FILE})
else()
  message(STATUS "chmcmd not found: the help topics are checked, KVRestart.chm is not built")
endif()
add_custom_command(
  OUTPUT ${kv_help_outputs}
  COMMAND ${CMAKE_COMMAND} -DHELP_DIR=${CMAKE_SOURCE_DIR}/help
          -DIMAGES_DIR=${CMAKE_SOURCE_DIR}/docs/images
          "-DCODE_DIRS=${CMAKE_SOURCE_DIR}/app\\;${CMAKE_SOURCE_DIR}/lib"
          -DSTAGE=${CMAKE_BINARY_DIR}/help/stage -DCHMCMD=${KV_CHMCMD}
          -DOUTPUT=${KV_HELP_FILE} -DSTAMP=${kv_help_stamp}
          -P ${CMAKE_SOURCE_DIR}/cmake/kv-build-help.cmake
  DEPENDS ${kv_help_inputs} ${kv_help_images} ${CMAKE_SOURCE_DIR}/cmake/kv-build-help.cmake
          ${CMAKE_SOURCE_DIR}/cmake/KVHelpTopics.cmake
  COMMENT "Help: topics checked, KVRestart.chm")
add_custom_target(helpfile ALL DEPENDS ${kv_help_outputs})
