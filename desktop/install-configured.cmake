# Run by the install, once the final prefix is known (cmake --install --prefix may name another
# than the configured one): writes and installs the files whose text names the installed
# program, then refreshes the desktop's caches for a direct install.
# Set by the install code before: vellum_app_id, vellum_version, vellum_programdir,
# vellum_bindir, vellum_datadir, vellum_mandir, vellum_exec_by_name, vellum_sources and
# vellum_staging.
include(${CMAKE_CURRENT_LIST_DIR}/desktop-caches.cmake)

function(vellum_installed_path relative out)
    cmake_path(ABSOLUTE_PATH relative BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE
               OUTPUT_VARIABLE absolute)
    set(${out} "${absolute}" PARENT_SCOPE)
endfunction()

# The program as one argument of a desktop entry's Exec key: quoted when it holds a character
# that the key reserves, with ", `, $ and \ escaped inside the quotes; then every \ escaped again
# and every % doubled, as any value of the key needs.
function(vellum_exec_argument path out)
    set(argument "${path}")
    if(argument MATCHES "[] \t\n\"'\\\\<>~|&;$*?#()`[]")
        string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" argument "${argument}")
        set(argument "\"${argument}\"")
    endif()
    string(REPLACE "\\" "\\\\" argument "${argument}")
    string(REPLACE "\n" "\\n" argument "${argument}")
    string(REPLACE "%" "%%" argument "${argument}")
    set(${out} "${argument}" PARENT_SCOPE)
endfunction()

set(PROJECT_VERSION "${vellum_version}")
vellum_installed_path("${vellum_programdir}" VELLUM_PROGRAM_DIR)
if(vellum_exec_by_name)
    set(VELLUM_DESKTOP_EXEC vellum)
else()
    # By its full path, so that the desktop finds it when PREFIX/bin is not on the PATH.
    vellum_installed_path("${vellum_bindir}/vellum" command)
    vellum_exec_argument("${command}" VELLUM_DESKTOP_EXEC)
endif()

vellum_installed_path("${vellum_datadir}" data)
vellum_installed_path("${vellum_mandir}" man)
configure_file("${vellum_sources}/${vellum_app_id}.desktop.in"
               "${vellum_staging}/${vellum_app_id}.desktop" @ONLY)
configure_file("${vellum_sources}/vellum.1.in" "${vellum_staging}/vellum.1" @ONLY)
file(INSTALL DESTINATION "${data}/applications" TYPE FILE
     FILES "${vellum_staging}/${vellum_app_id}.desktop")
file(INSTALL DESTINATION "${man}/man1" TYPE FILE FILES "${vellum_staging}/vellum.1")

# A package manager refreshes the caches itself (and installs with DESTDIR); a direct install,
# say to ~/.local, refreshes them here so that the DIZ type and the icons work at once.
if("$ENV{DESTDIR}" STREQUAL "")
    vellum_refresh_desktop_caches("${data}")
endif()
