# Runs lupdate over a copy of each .ts and fails when a message comes out unfinished (a new or
# changed text without a finished translation) or vanished (a text the sources no longer have).
# Usage: cmake -DLUPDATE=... -DSOURCE_DIR=... -DDIRS=a;b -DTS_FILES=x.ts -DWORK_DIR=... -P this
file(MAKE_DIRECTORY ${WORK_DIR})
set(failed FALSE)
foreach(ts ${TS_FILES})
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK_DIR}/${name})
  file(COPY_FILE ${ts} ${copy})
  # The include path lets lupdate see the classes' namespaces, which name the contexts.
  execute_process(COMMAND ${LUPDATE} -silent -locations none -I ${SOURCE_DIR} ${DIRS} -ts ${copy}
                  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}")
  endif()
  file(READ ${copy} content)
  # Each message that is not finished, with its source text for the report.
  string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<[a-z]+>[^<]*</[a-z]+>[^<]*)*<translation type=\"(unfinished|vanished|obsolete)\"" bad "${content}")
  string(REGEX MATCHALL "<translation>[ \t]*</translation>" empty "${content}")
  list(LENGTH bad badCount)
  list(LENGTH empty emptyCount)
  if(badCount GREATER 0 OR emptyCount GREATER 0)
    set(failed TRUE)
    message("${name}: ${badCount} texts without a finished translation or gone from the sources, "
            "${emptyCount} empty translations:")
    foreach(entry ${bad})
      string(REGEX REPLACE "^<source>([^<]*)</source>.*type=\"([a-z]+)\"$" "  [\\2] \\1" line "${entry}")
      message("${line}")
    endforeach()
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "Bring the translations up to date: cmake --build --preset default --target "
                      "update_translations, then translate what is unfinished.")
endif()
