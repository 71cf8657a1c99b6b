# How `cmake --install` lays the program out. The program and the link to its
# configuracoes.ini go under the prefix, /opt/menugeral unless one is given;
# the command link, desktop entry, icons, manual page and documentation go
# where the desktop and the shell look for them.

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX /opt/menugeral CACHE PATH "Where the program is installed" FORCE)
endif()

# A program under /opt is found through /usr; under any other prefix its own
# share/ and bin/ already are where desktops and shells look.
set(MENUGERAL_SYSTEM_PREFIX "" CACHE PATH
    "Where the command link, desktop entry, icons, manual page and documentation go (empty: /usr for a prefix under /opt, else the prefix)")
if(MENUGERAL_SYSTEM_PREFIX)
    set(menugeral_system_prefix ${MENUGERAL_SYSTEM_PREFIX})
elseif(CMAKE_INSTALL_PREFIX MATCHES "^/opt/")
    set(menugeral_system_prefix /usr)
else()
    set(menugeral_system_prefix ${CMAKE_INSTALL_PREFIX})
endif()
set(MENUGERAL_CONFIG_DIR /etc/menugeral CACHE PATH
    "Folder of the configuracoes.ini that the link beside the installed program names")

install(TARGETS menugeral RUNTIME DESTINATION bin)

find_program(GZIP_EXECUTABLE gzip REQUIRED)
# `file`.gz beside `file`, made by the target `target` (part of every build):
# gzip -9n, so the bytes depend on the content alone.
function(menugeral_gzip file target)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND sh -c "\"$1\" -9n -c \"$2\" > \"$2.gz\"" sh ${GZIP_EXECUTABLE} ${file}
        DEPENDS ${file}
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${file}.gz)
endfunction()

# Links are made at install time: they must name the prefix the install uses.
# An absolute target, as links across top-level folders are.
function(menugeral_install_link link target)
    install(CODE "
        set(link \"\$ENV{DESTDIR}${link}\")
        get_filename_component(folder \"\${link}\" DIRECTORY)
        file(MAKE_DIRECTORY \"\${folder}\")
        file(REMOVE \"\${link}\")
        message(STATUS \"Installing link: \${link} -> ${target}\")
        file(CREATE_LINK \"${target}\" \"\${link}\" SYMBOLIC)")
endfunction()

# The menu reads configuracoes.ini beside its real executable; the program's
# folder belongs to root, so the file lives where a group may write it.
menugeral_install_link("\${CMAKE_INSTALL_PREFIX}/bin/configuracoes.ini" "${MENUGERAL_CONFIG_DIR}/configuracoes.ini")
if(NOT menugeral_system_prefix STREQUAL CMAKE_INSTALL_PREFIX)
    menugeral_install_link("${menugeral_system_prefix}/bin/menugeral" "\${CMAKE_INSTALL_PREFIX}/bin/menugeral")
endif()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/menugeral.desktop
    DESTINATION ${menugeral_system_prefix}/share/applications)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/icons/hicolor
    DESTINATION ${menugeral_system_prefix}/share/icons)

# The manual page.
configure_file(${CMAKE_SOURCE_DIR}/packaging/menugeral.1.in ${CMAKE_BINARY_DIR}/packaging/menugeral.1 @ONLY)
menugeral_gzip(${CMAKE_BINARY_DIR}/packaging/menugeral.1 menugeral-manual)
install(FILES ${CMAKE_BINARY_DIR}/packaging/menugeral.1.gz DESTINATION ${menugeral_system_prefix}/share/man/man1)
