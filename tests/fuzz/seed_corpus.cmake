# Makes the fuzzers' working corpora in the build tree afresh before a test run: the seeds
# kept in the source tree and those fuzz_seeds writes. libFuzzer adds the inputs it finds
# to these folders, so the source tree stays as it is and each run starts from the same
# seeds.
#   cmake -DCORPUS=dir -DCOMMITTED=dir -DSEEDS=fuzz_seeds -DARTIFACTS=dir -P seed_corpus.cmake
foreach(var CORPUS COMMITTED SEEDS ARTIFACTS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "seed_corpus.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${CORPUS})
foreach(target fuzz_payload fuzz_picture)
  file(MAKE_DIRECTORY ${CORPUS}/${target} ${ARTIFACTS}/${target})
  if(IS_DIRECTORY ${COMMITTED}/${target})
    file(COPY ${COMMITTED}/${target}/ DESTINATION ${CORPUS}/${target})
  endif()
endforeach()

execute_process(COMMAND ${SEEDS} ${CORPUS}/fuzz_payload ${CORPUS}/fuzz_picture
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "fuzz_seeds failed: ${result}")
endif()
