# cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<repository> -DTS=<catalogue.ts> "-DARGS=<lupdate arguments>" -DWORK=<dir> -P CheckCatalogue.cmake
# Fails when the catalogue is not what lupdate makes of the sources (a text marked or changed in
# a window or codec and not taken into it, or one taken out), or when a text has no translation.
string(REPLACE "|" ";" ARGS "${ARGS}")
file(MAKE_DIRECTORY "${WORK}")
set(copy "${WORK}/catalogue.ts")
configure_file("${TS}" "${copy}" COPYONLY)
execute_process(COMMAND "${LUPDATE}" ${ARGS} -ts "${copy}" WORKING_DIRECTORY "${SOURCE_DIR}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed: ${errors}")
endif()
file(READ "${TS}" before)
file(READ "${copy}" after)
if(NOT before STREQUAL after)
  execute_process(COMMAND diff -u "${TS}" "${copy}" OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "the catalogue is behind the sources (cmake --build <dir> --target veyra_lupdate, then translate):\n${difference}")
endif()
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation( type=\"unfinished\")?(/>|></translation>)" missing "${after}")
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\">" unfinished "${after}")
if(missing OR unfinished)
  message(FATAL_ERROR "texts without a finished translation:\n${missing}\n${unfinished}")
endif()
