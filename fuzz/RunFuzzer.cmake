# Runs a fuzzer for a bounded time over a scratch copy of its seed corpus
# (the fuzzer adds inputs to the corpus it is given).
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
file(GLOB seeds ${CORPUS}/*)
file(COPY ${seeds} DESTINATION ${SCRATCH})
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=65536
          -print_final_stats=1 ${SCRATCH}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fuzzer failed (${rc})")
endif()
