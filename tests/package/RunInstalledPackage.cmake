# Installs the built package into a scratch prefix, runs the installed tool from there, then
# builds the examples against the package with find_package(KroOdt) and runs them on a model.
function(kroodt_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${KROODT_WORK_DIR}/prefix)
file(REMOVE_RECURSE ${KROODT_WORK_DIR})
kroodt_run("installing the package" ${CMAKE_COMMAND} --install ${KROODT_BINARY_DIR} --prefix ${prefix})

kroodt_run("the installed kro-odt --version" ${prefix}/bin/kro-odt --version)
if(NOT out STREQUAL "kro-odt ${KROODT_VERSION}\n")
  message(FATAL_ERROR "kro-odt --version printed \"${out}\", not the package version ${KROODT_VERSION}")
endif()
kroodt_run("the installed kro-odt info" ${prefix}/bin/kro-odt info --quiet)
if(NOT out MATCHES "^model: built-in sample part\n.*cells: 741: ")
  message(FATAL_ERROR "kro-odt info printed:\n${out}")
endif()

kroodt_run("configuring the examples" ${CMAKE_COMMAND} -S ${KROODT_EXAMPLES_DIR}
  -B ${KROODT_WORK_DIR}/examples -DCMAKE_PREFIX_PATH=${prefix})
kroodt_run("building the examples" ${CMAKE_COMMAND} --build ${KROODT_WORK_DIR}/examples)
kroodt_run("the example name_a_face" ${KROODT_WORK_DIR}/examples/name_a_face ${KROODT_MODEL})
if(NOT out MATCHES "name_a_face: the streams name the same face and feature")
  message(FATAL_ERROR "name_a_face printed:\n${out}")
endif()
