# The build-time tool that turns the PNGs into pixels ready to paint
# (tools/pixels): MENUGERAL_PIXELS_COMMAND runs it, MENUGERAL_PIXELS_DEPENDS
# is what building it takes. A cross build makes it with the host's compiler
# and Qt, as a project of its own, since the program's own could not run here.
if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    set(host_binary_dir ${CMAKE_BINARY_DIR}/pixels-host)
    ExternalProject_Add(menugeral-pixels-host
        SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/pixels
        BINARY_DIR ${host_binary_dir}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${QT_HOST_PATH}
        INSTALL_COMMAND ""
        BUILD_BYPRODUCTS ${host_binary_dir}/menugeral-pixels)
    set(MENUGERAL_PIXELS_COMMAND ${host_binary_dir}/menugeral-pixels)
    set(MENUGERAL_PIXELS_DEPENDS menugeral-pixels-host)
else()
    # Defined in tools/pixels; named here, resolved when the build is generated.
    set(MENUGERAL_PIXELS_COMMAND menugeral-pixels)
    set(MENUGERAL_PIXELS_DEPENDS menugeral-pixels)
endif()
