# SPDX-License-Identifier: GPL-3.0-or-later
# The menu icons of both programs in the sizes of the hicolor theme, drawn by
# the picture generator during the build, so no scaled copies are kept in the
# source tree. Part of Packaging.cmake.

set(KT_ICON_SIDES 16 22 24 32 48 64 128 256)
set(KT_ICON_OUT ${KT_PACKAGING_OUT}/icons)

set(kt_icon_files)
foreach(side IN LISTS KT_ICON_SIDES)
    foreach(name IN ITEMS knowtest knowtest-teacher)
        list(APPEND kt_icon_files ${KT_ICON_OUT}/${side}x${side}/apps/${name}.png)
    endforeach()
endforeach()

add_custom_command(
    OUTPUT ${kt_icon_files}
    COMMAND artgen --icons ${KT_ICON_OUT}
    DEPENDS artgen
    COMMENT "Drawing the menu icons"
    VERBATIM)
add_custom_target(menu_icons ALL DEPENDS ${kt_icon_files})

foreach(side IN LISTS KT_ICON_SIDES)
    foreach(name IN LISTS KT_PACKAGED_PROGRAMS)
        install(FILES ${KT_ICON_OUT}/${side}x${side}/apps/${name}.png
                DESTINATION share/icons/hicolor/${side}x${side}/apps)
    endforeach()
endforeach()
