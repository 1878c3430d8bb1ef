# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules for what the programs' own folders do not install (menu
# entries, icons, manual pages, metadata, the package's documents) and the
# Debian package made from them by CPack:  cpack -G DEB  in the build folder.
# Included last by the top CMakeLists.txt, so every program's target exists.

set(KT_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(KT_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(KNOWTEST_MAINTAINER "Команда knowtest <knowtest@kt.example>")
# The date of this version's release, for the changelog and the metadata.
set(KNOWTEST_RELEASE_DATE 2026-12-08)
set(KNOWTEST_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")

# The teacher's program is packaged once it is part of the build.
if(TARGET knowtest-teacher)
    install(TARGETS knowtest-teacher RUNTIME DESTINATION bin)
    set(KT_PACKAGED_PROGRAMS knowtest knowtest-teacher)
else()
    set(KT_PACKAGED_PROGRAMS knowtest)
endif()

# Menu entries, named after the programs' reverse domain name.
install(FILES ${KT_PACKAGING_DIR}/example.kt.knowtest.desktop DESTINATION share/applications)
if(TARGET knowtest-teacher)
    install(FILES ${KT_PACKAGING_DIR}/example.kt.knowtest_teacher.desktop
            DESTINATION share/applications)
endif()

if(TARGET knowtest-teacher)
    set(KT_TEACHER_BINARY "\n    <binary>knowtest-teacher</binary>")
endif()
configure_file(${KT_PACKAGING_DIR}/example.kt.knowtest.metainfo.xml.in
               ${KT_PACKAGING_OUT}/example.kt.knowtest.metainfo.xml @ONLY)
install(FILES ${KT_PACKAGING_OUT}/example.kt.knowtest.metainfo.xml DESTINATION share/metainfo)

include(${KT_PACKAGING_DIR}/Icons.cmake)
include(${KT_PACKAGING_DIR}/Documents.cmake)
include(${KT_PACKAGING_DIR}/Cpack.cmake)
