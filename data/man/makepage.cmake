# Makes one manual page from a program's own --help and --version, in one
# language, and refuses a page that is not named after its program (as when
# a stray line of output stands before the version):
#   cmake -DHELP2MAN=... -DPROGRAM=path -DSECTION=1 -DNAME="..." -DLANGUAGE=en|ar
#         -DINCLUDES="a.h2m;b.h2m" -DOUTPUT=page.1 -P makepage.cmake
get_filename_component(program_name ${PROGRAM} NAME)
# help2man runs the program in a locale of its own: a wrapper of the same
# name gives it the language, and the page's name comes as an included
# section (help2man would write a --name given in Arabic as question marks).
set(work ${OUTPUT}.work)
file(MAKE_DIRECTORY ${work})
file(WRITE ${work}/${program_name} "#!/bin/sh\nLANGUAGE=${LANGUAGE} QT_QPA_PLATFORM=offscreen exec '${PROGRAM}' \"$@\"\n")
file(CHMOD ${work}/${program_name} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
string(REPLACE "-" "\\-" roff_name ${program_name})
file(WRITE ${work}/name.h2m "[NAME]\n${roff_name} \\- ${NAME}\n")
set(include_options --include=${work}/name.h2m)
foreach(include ${INCLUDES})
  list(APPEND include_options --include=${include})
endforeach()
execute_process(
  COMMAND ${HELP2MAN} --locale=C.UTF-8 --no-info --section=${SECTION} ${include_options} --output=${OUTPUT} ${work}/${program_name}
  RESULT_VARIABLE status)
file(REMOVE_RECURSE ${work})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${program_name} (${LANGUAGE})")
endif()
file(READ ${OUTPUT} page)
string(TOUPPER ${roff_name} title)
string(FIND "${page}" "\n.TH ${title} \"${SECTION}\"" title_at)
string(FIND "${page}" "\n.SH NAME\n${roff_name} \\- " name_at)
if(title_at LESS 0 OR name_at LESS 0)
  message(FATAL_ERROR "The ${LANGUAGE} manual page of ${program_name} is not named after it:\n${page}")
endif()
if(LANGUAGE STREQUAL "ar")
  # help2man writes its own headings in English; NAME stays, as man-db
  # reads the page's one-line summary under it.
  foreach(pair "SYNOPSIS|الخلاصة" "DESCRIPTION|الوصف" "OPTIONS|الخيارات" "AUTHOR|المؤلف" "REPORTING BUGS|الإبلاغ عن العلل"
               "COPYRIGHT|حقوق النشر" "SEE ALSO|انظر أيضاً")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    string(REPLACE "\n.SH ${from}\n" "\n.SH ${to}\n" page "${page}")
    string(REPLACE "\n.SH \"${from}\"\n" "\n.SH \"${to}\"\n" page "${page}")
  endforeach()
  file(WRITE ${OUTPUT} "${page}")
endif()
