# Writes the manual page OUTPUT of the program PROGRAM (named NAME, in one line SUMMARY)
# from what `PROGRAM --help` prints, kept as it is in a no-fill block.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
# Roff reads a backslash as an escape and a dot or quote at a line's start as a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" title)
file(WRITE ${OUTPUT} ".TH ${title} 1 \"\" \"saverhost\" \"User Commands\"\n"
    ".SH NAME\n${NAME} \\- ${SUMMARY}\n"
    ".SH DESCRIPTION\n.nf\n${help}.fi\n"
    ".SH SEE ALSO\n"
    "saverhost(1), saverpack(1), feeddump(1), aatext-render(1), install-screensaver(1),\n"
    "idle-watcher(1); the documents in /usr/share/doc/saverhost/.\n")
