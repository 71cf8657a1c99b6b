# Finds Qt for Windows when cross-compiling: the SDK tarball of
# ../shared/sdk beside the repository, or what MENUGERAL_QT_WINDOWS names (an
# unpacked qt6-mingw64 folder, a folder holding the tarball, or the tarball).
# A tarball is unpacked once into the build tree. Qt's host tools (moc, rcc,
# uic) are Debian's, the same Qt version.
set(MENUGERAL_QT_TARBALL_NAME qt6.4.2-mingw64.tar.xz)

function(menugeral_find_windows_qt out)
    set(candidates)
    if(DEFINED ENV{MENUGERAL_QT_WINDOWS} AND NOT "$ENV{MENUGERAL_QT_WINDOWS}" STREQUAL "")
        list(APPEND candidates "$ENV{MENUGERAL_QT_WINDOWS}")
    endif()
    list(APPEND candidates "${CMAKE_SOURCE_DIR}/../shared/sdk")

    foreach(candidate IN LISTS candidates)
        get_filename_component(candidate "${candidate}" ABSOLUTE)
        foreach(prefix "${candidate}" "${candidate}/qt6-mingw64")
            if(EXISTS "${prefix}/lib/cmake/Qt6/Qt6Config.cmake")
                set(${out} "${prefix}" PARENT_SCOPE)
                return()
            endif()
        endforeach()
        set(tarball "${candidate}")
        if(IS_DIRECTORY "${candidate}")
            set(tarball "${candidate}/${MENUGERAL_QT_TARBALL_NAME}")
        endif()
        if(EXISTS "${tarball}" AND NOT IS_DIRECTORY "${tarball}")
            set(unpacked "${CMAKE_BINARY_DIR}/qt-windows")
            if(NOT EXISTS "${unpacked}/qt6-mingw64/lib/cmake/Qt6/Qt6Config.cmake")
                message(STATUS "Unpacking ${tarball} into ${unpacked}")
                file(REMOVE_RECURSE "${unpacked}")
                file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${unpacked}")
            endif()
            set(${out} "${unpacked}/qt6-mingw64" PARENT_SCOPE)
            return()
        endif()
    endforeach()

    message(FATAL_ERROR
        "Qt for Windows was not found. Either put the SDK beside the repository "
        "(../shared/sdk/${MENUGERAL_QT_TARBALL_NAME}) or set MENUGERAL_QT_WINDOWS to the "
        "tarball, to the folder that holds it, or to an unpacked qt6-mingw64 folder. "
        "../shared/sdk/build-qt-windows.sh rebuilds the tarball from Debian's Qt source.")
endfunction()

if(NOT MENUGERAL_QT_WINDOWS_PREFIX)
    menugeral_find_windows_qt(prefix)
    set(MENUGERAL_QT_WINDOWS_PREFIX "${prefix}" CACHE PATH "Qt for Windows (qt6-mingw64)")
endif()
list(APPEND CMAKE_PREFIX_PATH "${MENUGERAL_QT_WINDOWS_PREFIX}")
list(APPEND CMAKE_FIND_ROOT_PATH "${MENUGERAL_QT_WINDOWS_PREFIX}")
