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

# Embeds the committed artwork under resources/<folder> into `target`, at the
# resource path ":/<folder>/...". The pictures are drawn by tools/artwork.
function(menugeral_embed_artwork target folder)
    file(GLOB_RECURSE pictures CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/resources/${folder}/*.png ${CMAKE_SOURCE_DIR}/resources/${folder}/*.ico)
    if(pictures)
        qt_add_resources(${target} "${target}_artwork"
            PREFIX "/"
            BASE ${CMAKE_SOURCE_DIR}/resources
            FILES ${pictures})
    endif()
endfunction()
