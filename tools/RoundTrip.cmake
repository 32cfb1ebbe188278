# Checks pvnote from outside: files it writes are reproduced byte for byte
# from its own JSON, a stored data file is reproduced, and a data file moved
# to another drive is rescued with the old drive's serial number.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(pvnote)
  cmake_parse_arguments(P "" "OUT" "" ${ARGN})
  if(P_OUT)
    execute_process(COMMAND ${PVNOTE} ${P_UNPARSED_ARGUMENTS} OUTPUT_FILE ${P_OUT} RESULT_VARIABLE rc)
  else()
    execute_process(COMMAND ${PVNOTE} ${P_UNPARSED_ARGUMENTS} RESULT_VARIABLE rc)
  endif()
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pvnote ${P_UNPARSED_ARGUMENTS} failed: ${rc}")
  endif()
endfunction()

function(expect_same a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${a} and ${b} differ")
  endif()
endfunction()

function(expect_different a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE rc)
  if(rc EQUAL 0)
    message(FATAL_ERROR "${a} and ${b} should differ")
  endif()
endfunction()

# A scrambled data file from JSON, back to JSON and again to a file.
pvnote(write ${WORK}/a.ini --serial 43000000 --json ${FIXTURES}/notes.json)
pvnote(dump ${WORK}/a.ini --serial 43000000 OUT ${WORK}/a.json)
pvnote(write ${WORK}/b.ini --serial 43000000 --json ${WORK}/a.json)
expect_same(${WORK}/a.ini ${WORK}/b.ini)
pvnote(dump ${WORK}/b.ini --serial 43000000 OUT ${WORK}/b.json)
expect_same(${WORK}/a.json ${WORK}/b.json)

# The stored fixture (written with serial 0x43000000) is reproduced.
pvnote(dump ${FIXTURES}/PinvaneData.ini --serial 43000000 OUT ${WORK}/fixture.json)
pvnote(write ${WORK}/fixture.ini --serial 43000000 --json ${WORK}/fixture.json)
expect_same(${FIXTURES}/PinvaneData.ini ${WORK}/fixture.ini)

# Texts outside the code page keep their exact form, and a body that could
# not be read is written back as it stood.
file(READ ${WORK}/a.ini written)
string(FIND "${written}" "TEXTW=" exact)
string(FIND "${written}" "TEXTFORMAT=7" stored)
if(exact EQUAL -1 OR stored EQUAL -1)
  message(FATAL_ERROR "a.ini lacks the exact text or the stored body")
endif()
file(READ ${WORK}/a.json dumped)
string(FIND "${dumped}" "Müller café ☕ 한국어 😀" text)
if(text EQUAL -1)
  message(FATAL_ERROR "a.json lacks the exact text")
endif()

# Read with another drive's serial the bodies are garbled; rescued with the
# old serial and written for the new drive they read correctly there.
pvnote(dump ${WORK}/a.ini --serial 5A000000 OUT ${WORK}/garbled.json)
expect_different(${WORK}/a.json ${WORK}/garbled.json)
pvnote(write ${WORK}/moved.ini --serial 5A000000 --json ${WORK}/a.json)
pvnote(dump ${WORK}/moved.ini --serial 5A000000 OUT ${WORK}/moved.json)
expect_same(${WORK}/a.json ${WORK}/moved.json)

# Export files are plain whatever the header says.
pvnote(write ${WORK}/e.qnb --kind export --serial 12345678 --json ${FIXTURES}/notes.json)
pvnote(dump ${WORK}/e.qnb --kind export OUT ${WORK}/e.json)
pvnote(write ${WORK}/f.qnb --kind export --json ${WORK}/e.json)
expect_same(${WORK}/e.qnb ${WORK}/f.qnb)
file(STRINGS ${WORK}/e.qnb saveformat REGEX "^SAVEFORMAT=")
if(NOT saveformat MATCHES "^SAVEFORMAT=0[\r]*$")
  message(FATAL_ERROR "export file has ${saveformat}")
endif()
