# SPDX-License-Identifier: GPL-3.0-or-later
# Adds the listed subfolders of the current folder. A subfolder that holds a
# CMakeLists.txt but is missing from the list stops the configuration, so a
# new piece of the tree is never left out of the build unnoticed.
function(knowtest_add_subdirs)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(child IN LISTS children)
        set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${child})
        if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt AND NOT child IN_LIST ARGN)
            message(FATAL_ERROR "${dir} has a CMakeLists.txt but is not listed in "
                                "${CMAKE_CURRENT_LIST_FILE}")
        endif()
    endforeach()
    foreach(child IN LISTS ARGN)
        add_subdirectory(${child})
    endforeach()
endfunction()

# Warnings for the project's own targets; errors as well with KNOWTEST_WERROR.
function(knowtest_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4)
        if(KNOWTEST_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wformat=2 -Wundef)
        if(KNOWTEST_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()

# AddressSanitizer and UndefinedBehaviorSanitizer for everything built, with
# any undefined behaviour ending the program so that a test fails on it.
function(knowtest_enable_sanitizers)
    if(MSVC)
        message(FATAL_ERROR "KNOWTEST_SANITIZE needs GCC or Clang")
    endif()
    set(flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
              -fno-omit-frame-pointer)
    add_compile_options(${flags})
    add_link_options(${flags})
endfunction()
