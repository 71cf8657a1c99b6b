# Developers and CI turn warnings into errors (the presets do); a packager's
# build with another compiler or optimisation level must not fail on a new
# warning, so elsewhere they stay warnings.
option(MENUGERAL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

# Every target of the project is built with the same strict warnings.
function(menugeral_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
        if(MENUGERAL_WARNINGS_AS_ERRORS)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE
            -Wall -Wextra -Wpedantic
            -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
            -Wcast-align -Wnull-dereference -Wimplicit-fallthrough
            -Wmissing-declarations -Wshadow=local)
        if(MENUGERAL_WARNINGS_AS_ERRORS)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER QT_NO_KEYWORDS)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/ReadyPixels.cmake)

# Embeds the committed artwork under resources/<folder> into `target`, at the
# resource path ":/<folder>/...". The pictures are drawn by tools/artwork.
# With READY_PIXELS, each PNG at its own density is embedded a second time,
# at ":/pixels/<folder>/...", as pixels ready to paint and uncompressed, which
# the program wraps without decoding or copying (src/menu/ReadyPixels.h). The
# doubled drawings stay PNG alone: four times the size in the program for the
# rarer sharp screens.
function(menugeral_embed_artwork target folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "READY_PIXELS" "" "")
    file(GLOB_RECURSE pictures CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/resources/${folder}/*.png ${CMAKE_SOURCE_DIR}/resources/${folder}/*.ico)
    if(NOT pictures)
        return()
    endif()
    qt_add_resources(${target} "${target}_artwork"
        PREFIX "/"
        BASE ${CMAKE_SOURCE_DIR}/resources
        FILES ${pictures})
    if(NOT arg_READY_PIXELS)
        return()
    endif()
    set(ready_dir ${CMAKE_CURRENT_BINARY_DIR}/pixels)
    set(ready)
    foreach(picture IN LISTS pictures)
        if(NOT picture MATCHES "\\.png$" OR picture MATCHES "@2x\\.png$")
            continue()
        endif()
        file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR}/resources ${picture})
        get_filename_component(subdir ${ready_dir}/${name} DIRECTORY)
        add_custom_command(OUTPUT ${ready_dir}/${name}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${subdir}
            COMMAND ${MENUGERAL_PIXELS_COMMAND} ${picture} ${ready_dir}/${name}
            DEPENDS ${picture} ${MENUGERAL_PIXELS_DEPENDS}
            COMMENT "Pixels ready to paint: ${name}"
            VERBATIM)
        list(APPEND ready ${ready_dir}/${name})
    endforeach()
    if(ready)
        qt_add_resources(${target} "${target}_pixels"
            PREFIX "/pixels"
            BASE ${ready_dir}
            OPTIONS --no-compress
            FILES ${ready})
    endif()
endfunction()
