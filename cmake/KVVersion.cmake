# The one version of every binary: the project's version (top-level CMakeLists.txt). Each
# resource script builds its version record from KV_VERSION_MAJOR/MINOR/PATCH, which
# kv_version_resource hands to the resource compiler only; the installer takes
# KV_VERSION_TEXT.
set(KV_VERSION_TEXT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})

function(kv_version_resource)
  foreach(target ${ARGN})
    target_compile_definitions(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:RC>:KV_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}>
      $<$<COMPILE_LANGUAGE:RC>:KV_VERSION_MINOR=${PROJECT_VERSION_MINOR}>
      $<$<COMPILE_LANGUAGE:RC>:KV_VERSION_PATCH=${PROJECT_VERSION_PATCH}>)
  endforeach()
endfunction()
