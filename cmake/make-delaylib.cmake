# Writes a delay-import library lib<LIB>.a into OUT from the toolchain's import library of
# the same DLL: the DLL is loaded at the first call of one of its functions, not at start.
#   cmake -DLIB=ole32 -DIMPORT_LIB=... -DNM=... -DDLLTOOL=... -DAS=... -DOBJCOPY=... -DAR=... -DOUT=dir
#         -P make-delaylib.cmake
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

# dlltool's common stub (__tailMerge_...) keeps the integer argument registers across the
# loader call but not xmm0-xmm3: the first call of a function with a floating-point argument
# (VariantTimeToSystemTime, VarBstrFromR8, ...) would get whatever the loader left there. The
# stub is replaced by one that keeps all eight argument registers; dlltool's own is renamed
# and left unused in its member, which also holds the import descriptor.
execute_process(COMMAND ${NM} -A ${OUT}/lib${LIB}.a OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
string(REGEX MATCH "([^:\n]+):[0-9a-f]+ T __tailMerge_([A-Za-z0-9_]+)" found "${listing}")
if(failed OR NOT found)
  message(FATAL_ERROR "no loader stub found in the delay-import library of ${LIB}")
endif()
set(member ${CMAKE_MATCH_1})
set(suffix ${CMAKE_MATCH_2})
get_filename_component(member ${member} NAME)
set(work ${OUT}/${LIB}.stub)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(WRITE ${work}/tailmerge.s "\t.text
\t.globl\t__tailMerge_${suffix}
\t.def\t__tailMerge_${suffix};\t.scl\t2;\t.type\t32;\t.endef
\t.seh_proc\t__tailMerge_${suffix}
__tailMerge_${suffix}:
\tsubq\t$0x88, %rsp
\t.seh_stackalloc\t0x88
\t.seh_endprologue
\tmovq\t%rcx, 0x60(%rsp)
\tmovq\t%rdx, 0x68(%rsp)
\tmovq\t%r8, 0x70(%rsp)
\tmovq\t%r9, 0x78(%rsp)
\tmovdqa\t%xmm0, 0x20(%rsp)
\tmovdqa\t%xmm1, 0x30(%rsp)
\tmovdqa\t%xmm2, 0x40(%rsp)
\tmovdqa\t%xmm3, 0x50(%rsp)
\tmovq\t%rax, %rdx
\tleaq\t__DELAY_IMPORT_DESCRIPTOR_${suffix}(%rip), %rcx
\tcall\t__delayLoadHelper2
\tmovdqa\t0x20(%rsp), %xmm0
\tmovdqa\t0x30(%rsp), %xmm1
\tmovdqa\t0x40(%rsp), %xmm2
\tmovdqa\t0x50(%rsp), %xmm3
\tmovq\t0x60(%rsp), %rcx
\tmovq\t0x68(%rsp), %rdx
\tmovq\t0x70(%rsp), %r8
\tmovq\t0x78(%rsp), %r9
\taddq\t$0x88, %rsp
\tjmp\t*%rax
\t.seh_endproc
")
foreach(step
    "${AR};x;${OUT}/lib${LIB}.a;${member}"
    "${OBJCOPY};--redefine-sym;__tailMerge_${suffix}=__tailMerge_${suffix}_dlltool;${member}"
    "${AS};-o;kv_tailmerge_${LIB}.o;tailmerge.s"
    "${AR};r;${OUT}/lib${LIB}.a;${member};kv_tailmerge_${LIB}.o")
  execute_process(COMMAND ${step} WORKING_DIRECTORY ${work} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "replacing the loader stub of ${LIB} failed at: ${step}")
  endif()
endforeach()
file(REMOVE_RECURSE ${work})
