# SPDX-License-Identifier: GPL-3.0-or-later
# Manual pages (English and Russian), the changelog, the copyright notice
# and the teacher's guide.
# Debian keeps manual pages and changelogs compressed with gzip -9n (no name
# or time stamp inside, so the same sources give the same package). Part of
# Packaging.cmake.

find_program(KT_GZIP gzip REQUIRED)

# Makes ${out}.gz from ${src} and adds it to kt_compressed_docs.
function(kt_gzip_doc src out)
    add_custom_command(
        OUTPUT ${out}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${src} ${out}
        COMMAND ${KT_GZIP} -9nf ${out}
        DEPENDS ${src}
        VERBATIM)
    set(kt_compressed_docs ${kt_compressed_docs} ${out}.gz PARENT_SCOPE)
endfunction()

set(kt_compressed_docs)
foreach(page IN LISTS KT_PACKAGED_PROGRAMS ITEMS qbank)
    foreach(lang IN ITEMS en ru)
        if(lang STREQUAL en)
            set(src_dir ${KT_PACKAGING_DIR}/man)
            set(dest share/man/man1)
        else()
            set(src_dir ${KT_PACKAGING_DIR}/man/${lang})
            set(dest share/man/${lang}/man1)
        endif()
        set(out ${KT_PACKAGING_OUT}/man/${lang}/${page}.1)
        kt_gzip_doc(${src_dir}/${page}.1 ${out})
        install(FILES ${out}.gz DESTINATION ${dest})
    endforeach()
endforeach()

configure_file(${KT_PACKAGING_DIR}/changelog.in ${KT_PACKAGING_OUT}/changelog.src @ONLY)
kt_gzip_doc(${KT_PACKAGING_OUT}/changelog.src ${KT_PACKAGING_OUT}/doc/changelog)
install(FILES ${KT_PACKAGING_OUT}/doc/changelog.gz ${KT_PACKAGING_DIR}/copyright
        DESTINATION share/doc/knowtest)

# The teacher's guide, read by the teacher's program (F1) from here.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide/ DESTINATION share/doc/knowtest/guide
        FILES_MATCHING PATTERN "*.md" PATTERN "chapters.txt")

add_custom_target(package_docs ALL DEPENDS ${kt_compressed_docs})
