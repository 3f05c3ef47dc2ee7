# The help build refuses a program that opens a topic without a page (cmake -P): it is run on a
# code folder naming one topic the help has and one it lacks, once in a comment (not opened).
#   -DSOURCE_DIR=<repository> -DWORK=<scratch folder>
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/code/frmNew.cpp
  "// OpenHelp(Handle(), L\"InComment.htm\");\n"
  "void A() { OpenHelp(Handle(), L\"Autodialog.htm\"); }\n"
  "void B() { OpenHelp(Handle(), L\"Neuerdialog.htm\"); }  // L\"AfterCode.htm\"\n")

function(run_build code_dirs out_result out_log)
  execute_process(COMMAND ${CMAKE_COMMAND} -DHELP_DIR=${SOURCE_DIR}/help
      -DIMAGES_DIR=${SOURCE_DIR}/docs/images "-DCODE_DIRS=${code_dirs}" -DSTAGE=${WORK}/stage
      -DCHMCMD= -DOUTPUT=${WORK}/out.chm -DSTAMP=${WORK}/topics.txt
      -P ${SOURCE_DIR}/cmake/kv-build-help.cmake
    RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
  set(${out_result} ${result} PARENT_SCOPE)
  set(${out_log} "${log}" PARENT_SCOPE)
endfunction()

run_build(${WORK}/code result log)
if(result EQUAL 0)
  message(FATAL_ERROR "the help build passed although Neuerdialog.htm has no page")
endif()
if(NOT log MATCHES "Neuerdialog\\.htm \\(no page" OR log MATCHES "Autodialog|InComment|AfterCode")
  message(FATAL_ERROR "the help build failed, but did not name exactly the missing topic:\n${log}")
endif()

# The real code passes, and the stamp lists what it opens.
run_build("${SOURCE_DIR}/app;${SOURCE_DIR}/lib" result log)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the help build refuses the program's own code:\n${log}")
endif()
file(READ ${WORK}/topics.txt stamp)
if(NOT stamp MATCHES "Herunterfahrendialog\\.htm" OR stamp MATCHES "Topic\\.htm")
  message(FATAL_ERROR "topics read from the code: ${stamp}")
endif()
