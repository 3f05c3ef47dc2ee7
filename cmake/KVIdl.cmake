# kv_idl(<target> <idl>): compiles a library's IDL with widl into its header, its
# interface identifiers and a type library that the library's resource script embeds.
find_program(KV_WIDL NAMES x86_64-w64-mingw32-widl widl REQUIRED)
set(KV_WINE_IDL_DIR /usr/include/wine/wine/windows CACHE PATH "Platform IDL files for widl")
set(KV_WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH "Where widl finds stdole2.tlb")

function(kv_idl target idl)
  get_filename_component(name ${idl} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/idl)
  file(MAKE_DIRECTORY ${out})
  add_custom_command(
    OUTPUT ${out}/${name}.h ${out}/${name}_i.c ${out}/${name}.tlb
    COMMAND ${KV_WIDL} -m64 --win64 -I ${KV_WINE_IDL_DIR} -L ${KV_WINE_TLB_DIR}
            -h -H ${out}/${name}.h -u -U ${out}/${name}_i.c -t -T ${out}/${name}.tlb
            ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
    COMMENT "widl ${idl}")
  target_sources(${target} PRIVATE ${out}/${name}_i.c)
  # PUBLIC: the resource script of the DLL (or of a test executable) finds the .tlb here.
  target_include_directories(${target} PUBLIC ${out})
  set_source_files_properties(${out}/${name}_i.c PROPERTIES COMPILE_OPTIONS -Wno-missing-braces)
  # The resource scripts next to the IDL embed the .tlb; recompile them when it changes.
  set_property(TARGET ${target} APPEND PROPERTY KV_TLB ${out}/${name}.tlb)
  file(GLOB rcs ${CMAKE_CURRENT_SOURCE_DIR}/*.rc)
  foreach(rc ${rcs})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${out}/${name}.tlb)
  endforeach()
  add_custom_target(${target}_idl DEPENDS ${out}/${name}.h ${out}/${name}.tlb)
  add_dependencies(${target} ${target}_idl)
endfunction()
