# cmake -DPROGRAM=path -DNAME=zt-alarm -DSUMMARY="..." -DVERSION=0.1 -DOUTPUT=zt-alarm.1 -P man_page.cmake
# A manual page made from the program's own --help, so the two never disagree.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help ERROR_VARIABLE help RESULT_VARIABLE failed)
if(failed OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${failed})")
endif()
# roff: a backslash is written \e; a line starting with a dot or an apostrophe would be a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" title)
file(WRITE ${OUTPUT}
  ".TH ${title} 1 \"\" \"Zun Time ${VERSION}\" \"Zun Time\"\n"
  ".SH NAME\n${NAME} \\- ${SUMMARY}\n"
  ".SH DESCRIPTION\n.nf\n${help}.fi\n"
  ".SH SEE ALSO\n/usr/share/doc/zuntime/README.md\n")
