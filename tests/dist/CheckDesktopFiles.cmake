# Checks the thumbnailer entry as a file manager reads it: its keys, its command line, and the
# same MIME types as the desktop entry, so that what gets thumbnails also offers "Open With".
# Where update-mime-database is installed, the MIME package is compiled into a database of its
# own under WORK and its file name patterns are checked.
# Run as: cmake -DDIST=<dist/linux folder> -DWORK=<scratch folder> -P CheckDesktopFiles.cmake

# The value of the one line "key=value"; MIME lists keep their semicolons as commas.
function(entry_value file key out)
    file(READ ${file} text)
    string(REPLACE ";" "," text "${text}")
    string(REGEX MATCHALL "(^|\n)${key}=[^\n]*" lines "${text}")
    list(LENGTH lines count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "${file}: ${count} lines for ${key}, expected 1")
    endif()
    string(REGEX REPLACE "^\n?${key}=" "" value "${lines}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(thumbnailer ${DIST}/marrowby2.thumbnailer)
set(desktop ${DIST}/example.marrowby.marrowby2.desktop)

file(STRINGS ${thumbnailer} first LIMIT_COUNT 1)
if(NOT first STREQUAL "[Thumbnailer Entry]")
    message(FATAL_ERROR "${thumbnailer}: first line is \"${first}\"")
endif()
entry_value(${thumbnailer} TryExec try_exec)
entry_value(${thumbnailer} Exec exec)
entry_value(${thumbnailer} MimeType thumbnail_types)
entry_value(${desktop} MimeType desktop_types)
entry_value(${desktop} Exec desktop_exec)

if(NOT try_exec STREQUAL "marrowby2-cli")
    message(FATAL_ERROR "TryExec is \"${try_exec}\"")
endif()
if(NOT exec STREQUAL "marrowby2-cli thumbnail -s %s %i %o")
    message(FATAL_ERROR "Exec is \"${exec}\"")
endif()
if(NOT thumbnail_types STREQUAL desktop_types)
    message(FATAL_ERROR "MIME types differ:\n  ${thumbnail_types}\n  ${desktop_types}")
endif()
foreach(type application/x-ms-dos-executable application/x-msdownload
        application/x-ms-ne-executable image/vnd.microsoft.icon image/x-win-bitmap
        application/x-navi-animation application/x-msi application/x-mswinurl
        application/x-ms-shortcut)
    if(NOT "${thumbnail_types}" MATCHES "(^|,)${type},")
        message(FATAL_ERROR "MimeType lacks ${type}")
    endif()
endforeach()
if(NOT desktop_exec MATCHES " %f$")
    message(FATAL_ERROR "the desktop entry's Exec \"${desktop_exec}\" takes no file")
endif()

find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
    set(database ${WORK}/mime)
    file(REMOVE_RECURSE ${database})
    file(COPY ${DIST}/marrowby2.xml DESTINATION ${database}/packages)
    execute_process(COMMAND ${UPDATE_MIME} ${database} RESULT_VARIABLE failed
        OUTPUT_QUIET ERROR_VARIABLE complaints)
    if(failed OR complaints MATCHES "rror|arning")
        message(FATAL_ERROR "update-mime-database: ${complaints}")
    endif()
    file(STRINGS ${database}/globs2 globs REGEX "^[0-9]+:")
    foreach(glob x-msdownload:*.dll x-msdownload:*.cpl x-msdownload:*.ocx x-msdownload:*.scr
            x-msdownload:*.mun x-ms-ne-executable:*.icl x-ms-shortcut:*.lnk)
        string(FIND "${globs}" "application/${glob}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "the MIME package gives no application/${glob}")
        endif()
    endforeach()
    file(STRINGS ${database}/magic shortcut_magic REGEX "x-ms-shortcut")
    if(NOT shortcut_magic)
        message(FATAL_ERROR "the MIME package gives no magic for application/x-ms-shortcut")
    endif()
endif()
