# Run with cmake -P: checks one shipped translation against the program's texts and builds
# its .qm. A copy of the .ts is brought up to date by lupdate; an entry the copy then marks
# unfinished (a text without a translation) or vanished/obsolete (a translation of a text
# the program no longer has) fails the build, so a shipped translation is always complete.
# Variables: LUPDATE, LRELEASE, TS, QM, SOURCE_DIR, FOLDERS (a ;-list), WORK (a scratch file).
file(COPY_FILE ${TS} ${WORK})
execute_process(COMMAND ${LUPDATE} -silent -locations none -source-language en -I ${SOURCE_DIR} ${FOLDERS} -ts ${WORK}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE updated)
if(NOT updated EQUAL 0)
  message(FATAL_ERROR "lupdate failed on ${TS}")
endif()
file(STRINGS ${WORK} unfinished REGEX "type=\"unfinished\"")
file(STRINGS ${WORK} stale REGEX "type=\"(vanished|obsolete)\"")
list(LENGTH unfinished unfinishedCount)
list(LENGTH stale staleCount)
if(unfinishedCount GREATER 0 OR staleCount GREATER 0)
  message(FATAL_ERROR "${TS}: ${unfinishedCount} unfinished and ${staleCount} obsolete entries; "
                      "bring it up to date with translations/paginor.ts")
endif()
execute_process(COMMAND ${LRELEASE} -silent ${TS} -qm ${QM} RESULT_VARIABLE released)
if(NOT released EQUAL 0)
  message(FATAL_ERROR "lrelease failed on ${TS}")
endif()
