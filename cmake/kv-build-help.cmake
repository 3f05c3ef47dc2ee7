# Builds the help file (cmake -P): checks that every topic the code names has its page in the
# help project, stages the project with the screenshots its pages show and compiles it with
# chmcmd. Without CHMCMD only the check runs and STAMP is written.
#   -DHELP_DIR=help -DIMAGES_DIR=docs/images -DCODE_DIRS="app;lib" -DSTAGE=<dir>
#   -DCHMCMD=<chmcmd or empty> -DOUTPUT=<KVRestart.chm> -DSTAMP=<file>
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/KVHelpTopics.cmake)

kv_help_topics(topics ${CODE_DIRS})
file(READ ${HELP_DIR}/KVRestart.hhp project)
set(missing "")
foreach(topic ${topics})
  if(NOT EXISTS "${HELP_DIR}/Html/${topic}")
    list(APPEND missing "${topic} (no page help/Html/${topic})")
  elseif(NOT project MATCHES "\nHtml/${topic}\n")
    list(APPEND missing "${topic} (not listed under [FILES] of KVRestart.hhp)")
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "help: the program opens topics the help does not have:\n  ${text}")
endif()

if(NOT CHMCMD)
  file(WRITE ${STAMP} "${topics}\n")
  return()
endif()

# The pages show screenshots as ../Bilder/<name>; each must exist in docs/images.
file(REMOVE_RECURSE ${STAGE})
file(COPY ${HELP_DIR}/ DESTINATION ${STAGE})
file(GLOB pages ${HELP_DIR}/Html/*.htm)
set(images "")
foreach(page ${pages})
  file(READ ${page} text)
  string(REGEX MATCHALL "\\.\\./Bilder/[^\"]+" found "${text}")
  list(APPEND images ${found})
endforeach()
list(REMOVE_DUPLICATES images)
foreach(image ${images})
  string(REPLACE "../Bilder/" "" name "${image}")
  if(NOT EXISTS ${IMAGES_DIR}/${name})
    message(FATAL_ERROR "help: a page shows ${name}, which docs/images does not have")
  endif()
  file(COPY ${IMAGES_DIR}/${name} DESTINATION ${STAGE}/Bilder)
endforeach()

execute_process(COMMAND ${CHMCMD} --verbosity 1 KVRestart.hhp
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR NOT EXISTS ${STAGE}/KVRestart.chm)
  message(FATAL_ERROR "help: chmcmd failed:\n${log}")
endif()
file(COPY_FILE ${STAGE}/KVRestart.chm ${OUTPUT} ONLY_IF_DIFFERENT)
file(WRITE ${STAMP} "${topics}\n")
