# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: cpack -G DEB in the build folder (package.sh does it
# with a release build). Part of Packaging.cmake.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME knowtest)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Команда knowtest, школьный кружок")
set(CPACK_PACKAGE_CONTACT "${KNOWTEST_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The programs are shipped without their debugging symbols.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KNOWTEST_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kt.example/)
# The libraries come from dpkg-shlibdeps. Qt finds its window system plugin
# only at run time, so that package is named here; the fonts that stand in
# for the window's typefaces are wanted but not needed to run.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${KT_PACKAGING_DIR}/postinst ${KT_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

if(TARGET knowtest-teacher)
    set(kt_programs_en "the student's and the teacher's programs")
    set(kt_programs_ru "программы ученика и учителя")
else()
    set(kt_programs_en "the student's program")
    set(kt_programs_ru "программа ученика")
endif()

# The first line is the synopsis; CPack indents the rest and turns empty
# lines into the " ." that Debian's control format asks for.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"timed multiple-choice knowledge test for schools
A single-window program for school classes: it draws a random set of
questions from the teacher's question bank (a Jet 4 .mdb file), the student
answers them in any order against a countdown while a bar shows the score,
and every finished test is added to a report file the teacher reads.
The package holds ${kt_programs_en}, qbank (the teacher's command-line
tool that builds a bank from a CSV table and checks it) and a sample bank,
which is copied to /opt/qbank/DB1.MDB when no bank is there yet.

Программа тестирования знаний для школы: она выбирает случайный набор
вопросов из базы учителя (файл Jet 4 .mdb), ученик отвечает на них в любом
порядке на время, полоса показывает счёт, а каждый законченный тест
дописывается в файл отчёта для учителя. В пакете ${kt_programs_ru}, qbank
(программа учителя для командной строки: строит базу из таблицы CSV и
проверяет её) и пример базы, который копируется в /opt/qbank/DB1.MDB, если
там ещё нет базы.")

include(CPack)
