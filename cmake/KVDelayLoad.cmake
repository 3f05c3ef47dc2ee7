# Delay loading of system DLLs for MinGW builds. kv_delay_load(target) makes the target load
# comctl32, ole32, oleaut32 and shell32 at their first use instead of at start: their
# delay-import libraries, named like the ordinary ones, are written into a folder that the
# target searches first, so every "-l<dll>" of the target and of the libraries it links
# resolves to them.
set(KV_DELAY_DLLS comctl32 ole32 oleaut32 shell32)
set(KV_DELAY_DIR ${CMAKE_BINARY_DIR}/delayimp)

function(kv_delay_load target)
  if(NOT MINGW)
    return()  # MSVC would use /DELAYLOAD; the cross build is what ships here
  endif()
  if(NOT TARGET kv_delay_libs)
    find_program(KV_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)
    find_program(KV_AS NAMES ${TOOLCHAIN_PREFIX}-as REQUIRED)
    find_program(KV_OBJCOPY NAMES ${TOOLCHAIN_PREFIX}-objcopy REQUIRED)
    find_program(KV_AR NAMES ${TOOLCHAIN_PREFIX}-ar REQUIRED)
    set(outputs)
    foreach(dll IN LISTS KV_DELAY_DLLS)
      find_file(KV_IMPORT_LIB_${dll} lib${dll}.a PATHS /usr/${TOOLCHAIN_PREFIX}/lib NO_DEFAULT_PATH REQUIRED)
      add_custom_command(OUTPUT ${KV_DELAY_DIR}/lib${dll}.a
        COMMAND ${CMAKE_COMMAND} -DLIB=${dll} -DIMPORT_LIB=${KV_IMPORT_LIB_${dll}} -DNM=${CMAKE_NM}
                -DDLLTOOL=${KV_DLLTOOL} -DAS=${KV_AS} -DOBJCOPY=${KV_OBJCOPY} -DAR=${KV_AR}
                -DOUT=${KV_DELAY_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/make-delaylib.cmake
        DEPENDS ${PROJECT_SOURCE_DIR}/cmake/make-delaylib.cmake
        COMMENT "Delay-import library for ${dll}.dll")
      list(APPEND outputs ${KV_DELAY_DIR}/lib${dll}.a)
    endforeach()
    add_custom_target(kv_delay_libs DEPENDS ${outputs})
    set_property(GLOBAL PROPERTY KV_DELAY_OUTPUTS ${outputs})
  endif()
  get_property(outputs GLOBAL PROPERTY KV_DELAY_OUTPUTS)
  add_dependencies(${target} kv_delay_libs)
  target_link_directories(${target} BEFORE PRIVATE ${KV_DELAY_DIR})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${outputs})
endfunction()
