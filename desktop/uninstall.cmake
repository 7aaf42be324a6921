# Removes what an install put down, by its manifest (cmake -DMANIFEST=... -P uninstall.cmake,
# DESTDIR honoured as by the install): every file, the folders this leaves empty up to the
# prefix, and the entries of the desktop's caches that listed them. Set by the uninstall target: MANIFEST,
# PROGRAM_ENTRY (the program's path under the prefix) and DATADIR.
include(${CMAKE_CURRENT_LIST_DIR}/desktop-caches.cmake)

if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} does not exist (run the install first)")
endif()
file(STRINGS "${MANIFEST}" installed)

# The prefix is the one the install used, which cmake --install --prefix may have changed: the
# manifest's program entry ends in its path under the prefix.
set(prefix)
foreach(path ${installed})
    string(LENGTH "${path}" length)
    string(LENGTH "/${PROGRAM_ENTRY}" tail)
    math(EXPR start "${length} - ${tail}")
    if(start GREATER 0)
        string(SUBSTRING "${path}" ${start} -1 end)
        if(end STREQUAL "/${PROGRAM_ENTRY}")
            string(SUBSTRING "${path}" 0 ${start} prefix)
        endif()
    endif()
endforeach()
if(NOT prefix)
    message(FATAL_ERROR "${MANIFEST} lists no ${PROGRAM_ENTRY}: not an install of Vellum")
endif()
set(root "$ENV{DESTDIR}${prefix}")

foreach(path ${installed})
    set(file "$ENV{DESTDIR}${path}")
    if(EXISTS "${file}" OR IS_SYMLINK "${file}")
        message(STATUS "Removing: ${file}")
        file(REMOVE "${file}")
    endif()
endforeach()

set(refresh_caches FALSE)
if("$ENV{DESTDIR}" STREQUAL "")
    set(refresh_caches TRUE)
    cmake_path(ABSOLUTE_PATH DATADIR BASE_DIRECTORY "${prefix}" OUTPUT_VARIABLE data)
    vellum_refresh_mime_database("${data}")
    vellum_refresh_desktop_database("${data}")
endif()

# Then the folders left empty, from each file's folder up to the prefix.
foreach(path ${installed})
    cmake_path(GET path PARENT_PATH folder)
    set(folder "$ENV{DESTDIR}${folder}")
    cmake_path(IS_PREFIX root "${folder}" NORMALIZE inside)
    while(inside AND NOT folder STREQUAL root)
        if(IS_DIRECTORY "${folder}")
            file(GLOB left "${folder}/*" "${folder}/.*")
            if(left)
                break()
            endif()
            file(REMOVE_RECURSE "${folder}")
        endif()
        cmake_path(GET folder PARENT_PATH folder)
    endwhile()
endforeach()

# The icon cache last: it must be newer than the theme's folders, which the pruning changed.
if(refresh_caches)
    vellum_refresh_icon_cache("${data}")
endif()
