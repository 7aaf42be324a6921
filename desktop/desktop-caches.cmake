# Brings the desktop's caches in a data folder (PREFIX/share) up to date with the files there, as
# a package manager's triggers do after an install or a removal. Included by the install and by
# the uninstall.

# The files that update-mime-database writes beside its packages folder.
set(vellum_compiled_mime_files XMLnamespaces aliases generic-icons globs globs2 icons magic
    mime.cache subclasses treemagic types version)

function(vellum_refresh_mime_database data)
    if(NOT IS_DIRECTORY "${data}/mime/packages")
        return()
    endif()
    find_program(update_mime update-mime-database)
    if(update_mime)
        execute_process(COMMAND ${update_mime} "${data}/mime")
    endif()
    file(GLOB sources "${data}/mime/packages/*.xml")
    if(sources)
        return()
    endif()
    # Nothing is left to describe: the compiled database goes with its last source, together
    # with the folders it leaves empty.
    foreach(name ${vellum_compiled_mime_files})
        file(REMOVE "${data}/mime/${name}")
    endforeach()
    file(GLOB children "${data}/mime/*")
    foreach(child ${children} "${data}/mime")
        file(GLOB left "${child}/*")
        if(IS_DIRECTORY "${child}" AND NOT left)
            file(REMOVE_RECURSE "${child}")
        endif()
    endforeach()
endfunction()

function(vellum_refresh_desktop_database data)
    if(NOT IS_DIRECTORY "${data}/applications")
        return()
    endif()
    file(GLOB_RECURSE entries "${data}/applications/*.desktop")
    find_program(update_desktop update-desktop-database)
    if(NOT entries)
        # No entry is left to list: an empty cache would be a file nobody installed.
        file(REMOVE "${data}/applications/mimeinfo.cache")
    elseif(update_desktop)
        execute_process(COMMAND ${update_desktop} -q "${data}/applications")
    endif()
endfunction()

# An icon-theme cache, once there, is all a toolkit reads, so it must follow every change; but
# without one the toolkit reads the folders themselves, and a cache made here would hide the icons
# that other programs add later. So only one that exists is refreshed.
function(vellum_refresh_icon_cache data)
    set(theme "${data}/icons/hicolor")
    find_program(update_icons gtk-update-icon-cache)
    if(EXISTS "${theme}/icon-theme.cache" AND update_icons)
        execute_process(COMMAND ${update_icons} -q -t -f "${theme}")
    endif()
endfunction()

function(vellum_refresh_desktop_caches data)
    vellum_refresh_mime_database("${data}")
    vellum_refresh_desktop_database("${data}")
    vellum_refresh_icon_cache("${data}")
endfunction()
