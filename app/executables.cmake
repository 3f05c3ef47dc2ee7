# The program KVRestart.exe and its test build KVRestartTest.exe: the same program linked
# with the recording session control and a message-box seam that logs and answers from a
# file next to the executable (see tests/program/testbuild/KVRestartTestMain.cpp). The product
# itself reads no environment variable and has no test switch.
target_compile_definitions(kvrestart_app PUBLIC
  KV_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  KV_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  KV_VERSION_BUILD=${PROJECT_VERSION_PATCH})

function(kv_add_program name)
  add_executable(${name} WIN32 ${ARGN} ${CMAKE_CURRENT_SOURCE_DIR}/KVRestart.rc)
  target_link_libraries(${name} PRIVATE kvrestart_app)
  # A command line that only acts starts as fast as an empty program: the DLLs of windows,
  # COM and the shell load when first used.
  kv_delay_load(${name})
  if(MINGW)
    target_link_options(${name} PRIVATE -municode)  # wWinMain
  endif()
  file(GLOB kv_pictures ${CMAKE_CURRENT_SOURCE_DIR}/res/*.ico)
  set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/KVRestart.rc APPEND PROPERTY OBJECT_DEPENDS
    ${kv_pictures} ${CMAKE_CURRENT_SOURCE_DIR}/res/Pictures.rc ${CMAKE_CURRENT_SOURCE_DIR}/res/Pictures.h
    ${CMAKE_CURRENT_SOURCE_DIR}/res/KVRestart.manifest)
endfunction()

kv_add_program(KVRestart ${CMAKE_CURRENT_SOURCE_DIR}/program/Main.cpp)

if(NOT DEFINED KV_BUILD_TESTS OR KV_BUILD_TESTS)
  set(KV_TESTBUILD_DIR ${CMAKE_SOURCE_DIR}/tests/program/testbuild)
  kv_add_program(KVRestartTest ${KV_TESTBUILD_DIR}/KVRestartTestMain.cpp)
  target_include_directories(KVRestartTest PRIVATE ${KV_TESTBUILD_DIR} ${CMAKE_SOURCE_DIR}/tests/support)
endif()
