# Writes a delay-import library lib<LIB>.a into OUT from the toolchain's import library of
# the same DLL: the DLL is loaded at the first call of one of its functions, not at start.
#   cmake -DLIB=ole32 -DIMPORT_LIB=... -DNM=... -DDLLTOOL=... -DOUT=dir -P make-delaylib.cmake
execute_process(COMMAND ${NM} ${IMPORT_LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list ${IMPORT_LIB}")
endif()
string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
list(TRANSFORM imports REPLACE "^I __imp_" "")
list(REMOVE_DUPLICATES imports)
list(SORT imports)
list(JOIN imports "\n" exports)
file(MAKE_DIRECTORY ${OUT})
file(WRITE ${OUT}/${LIB}.def "LIBRARY ${LIB}.dll\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${DLLTOOL} --input-def ${OUT}/${LIB}.def --dllname ${LIB}.dll
                        --output-delaylib ${OUT}/lib${LIB}.a
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dlltool could not write the delay-import library of ${LIB}")
endif()
