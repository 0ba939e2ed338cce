# Runs the converter into a fresh folder and compares both files byte by byte
# with the ones in data/. Without the source package (tools/setup.sh installs
# it) there is nothing to compare with: the test is reported as skipped.
if(NOT EXISTS ${SOURCE}/vsop87Bearth.js)
  message("SKIPPED: the VSOP87 source package is not installed (${SOURCE}); "
          "run tools/setup.sh to fetch it")
  return()
endif()
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${CONVERTER} ${SOURCE} ${OUT} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "converter failed (${rc})")
endif()
foreach(f PLANETS.NDX PLANETS.DAT)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${f} ${SHIPPED}/${f}
                  RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "${f} differs from what the converter makes")
  endif()
endforeach()
message(STATUS "PLANETS.NDX and PLANETS.DAT reproduced byte for byte")
