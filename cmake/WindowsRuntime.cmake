# What the Windows programs need at run time, put beside them in the build
# (bin/ for the programs, tests/ for the tests) and installed beside
# menugeral.exe: Qt's libraries, the MinGW runtime of the compiler that built
# them, the plugins and Qt's translation in the folders Qt looks for beside
# the executable.
set(MENUGERAL_QT_LIBRARIES Qt6::Core Qt6::Gui Qt6::Widgets)
# Pairs of folder and plugin. offscreen serves the tests only.
set(MENUGERAL_QT_PLUGINS
    platforms Qt6::QWindowsIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin
    imageformats Qt6::QICOPlugin)

# Qt's own texts in Brazilian Portuguese (its dialogs' buttons and labels),
# from the host's Qt of the same version: Qt for Windows is built without
# them. Qt looks in translations/ beside the program when no qt.conf says
# otherwise.
find_file(MENUGERAL_QT_TRANSLATION qtbase_pt_BR.qm
    PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT MENUGERAL_QT_TRANSLATION)
    message(FATAL_ERROR "There is no qtbase_pt_BR.qm in /usr/share/qt6/translations (package qt6-translations-l10n)")
endif()

set(MENUGERAL_MINGW_RUNTIME)
foreach(library libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The compiler has no ${library}")
    endif()
    get_filename_component(path "${path}" REALPATH)
    list(APPEND MENUGERAL_MINGW_RUNTIME "${path}")
endforeach()

# Copies the run-time files into `directory` of the build; `extra_plugins`
# are further folder/plugin pairs, `extra_libraries` further Qt libraries.
function(menugeral_deploy_runtime target directory)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "PLUGINS;LIBRARIES")
    set(commands)
    foreach(library IN LISTS MENUGERAL_QT_LIBRARIES arg_LIBRARIES)
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${library}> ${directory}/)
    endforeach()
    foreach(runtime IN LISTS MENUGERAL_MINGW_RUNTIME)
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${runtime} ${directory}/)
    endforeach()
    set(pairs ${MENUGERAL_QT_PLUGINS} ${arg_PLUGINS})
    list(LENGTH pairs count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET pairs ${i} folder)
        list(GET pairs ${j} plugin)
        list(APPEND commands
            COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}/${folder}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${directory}/${folder}/)
    endforeach()
    list(APPEND commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}/translations
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${MENUGERAL_QT_TRANSLATION} ${directory}/translations/)
    add_custom_target(${target} ALL ${commands} COMMENT "Putting Qt and the MinGW runtime into ${directory}" VERBATIM)
endfunction()

menugeral_deploy_runtime(menugeral-deploy ${CMAKE_BINARY_DIR}/bin)
if(MENUGERAL_BUILD_TESTS)
    menugeral_deploy_runtime(menugeral-deploy-tests ${CMAKE_BINARY_DIR}/tests
        PLUGINS platforms Qt6::QOffscreenIntegrationPlugin
        # QtNetwork: the channel's tests talk to it as Qt's local sockets do.
        LIBRARIES Qt6::Test Qt6::Network)
endif()

# The installer's layout: everything in one folder, as in bin/.
install(FILES ${MENUGERAL_MINGW_RUNTIME} DESTINATION . COMPONENT menu)
foreach(library IN LISTS MENUGERAL_QT_LIBRARIES)
    install(IMPORTED_RUNTIME_ARTIFACTS ${library} RUNTIME DESTINATION . COMPONENT menu)
endforeach()
list(LENGTH MENUGERAL_QT_PLUGINS count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET MENUGERAL_QT_PLUGINS ${i} folder)
    list(GET MENUGERAL_QT_PLUGINS ${j} plugin)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder} COMPONENT menu)
endforeach()
install(FILES ${MENUGERAL_QT_TRANSLATION} DESTINATION translations COMPONENT menu)
# The MinGW runtime and Qt come with their symbols (60 MB where 28 MB run the
# same); a desk needs none of them.
install(CODE "
    file(GLOB_RECURSE libraries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(library IN LISTS libraries)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${library}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()" COMPONENT menu)
