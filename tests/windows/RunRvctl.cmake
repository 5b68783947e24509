# Runs rvctl.exe under Wine through scripts/wine-run, which serves the ports the test names, and
# fails unless it exits with 0 and its output matches EXPECT.
#   cmake -DWINE_RUN=... -DRVCTL=... -DARGS="a|b" -DEXPECT=regex -P RunRvctl.cmake
# ARGS are separated by "|"; "<EOL>" in EXPECT stands for a line end (Wine's console writes
# CR LF).
string(REPLACE "|" ";" arguments "${ARGS}")
string(REPLACE "<EOL>" "\r?\n" pattern "${EXPECT}")
execute_process(COMMAND ${WINE_RUN} ${RVCTL} ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "rvctl ${arguments} exited with ${status}\n${out}\n${err}")
endif()
if(NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "rvctl ${arguments} printed what does not match ${EXPECT}:\n${out}\n${err}")
endif()
message(STATUS "${out}")
