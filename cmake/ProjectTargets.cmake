# Common build settings and the two helpers every folder uses:
#   project_folder_library(<target> [WIDGETS] [PCH] [LINKS ...] [DEFINITIONS ...]
#                          [PRIVATE_HEADERS ...])
#   project_folder_tests([LINKS ...])
# Other folders include a folder's headers by folder: "cnf/cnfcontroller.h" for a library
# under libs/, "plivek/document/project.h" for the rest. Only public headers are offered
# that way; those named PRIVATE_HEADERS stay visible to the folder itself and its tests.
# A folder's sources are found by glob so that folders can grow without
# touching each other's build files.

# A CTest entry's time-out in seconds, unless it sets one of its own. The suite runs on
# machines that are busy (ctest -j beside other work, where an entry may get half a core),
# so an entry spends at most 0.3 of its time-out in CPU seconds, its children's included;
# one whose work is inherently longer gets a time-out of its own fitted to that work (the
# folder's TIMEOUTS), rather than a default that every entry would then get.
set(PROJECT_TEST_TIMEOUT 120)

add_library(project_settings INTERFACE)
target_compile_features(project_settings INTERFACE cxx_std_17)
target_compile_definitions(project_settings INTERFACE
    QT_NO_CAST_FROM_BYTEARRAY
    QT_DEPRECATED_WARNINGS
    QT_USE_QSTRINGBUILDER)
target_compile_options(project_settings INTERFACE -Wall -Wextra)

set(PROJECT_QT_PCH_HEADERS
    <QtCore/QObject> <QtCore/QString> <QtCore/QVariant> <QtCore/QList>
    <QtCore/QMap> <QtCore/QHash> <QtCore/QVector> <QtCore/QPointer>
    <QtCore/QSharedPointer> <QtCore/QDebug>)
set(PROJECT_QT_WIDGETS_PCH_HEADERS
    ${PROJECT_QT_PCH_HEADERS}
    <QtWidgets/QWidget> <QtWidgets/QDialog> <QtWidgets/QTableWidget>
    <QtWidgets/QMainWindow> <QtWidgets/QAction> <QtWidgets/QMessageBox>)

# Sources come from globs, so a new file reaches the build only through a
# re-configure, and AUTOMOC's stamp does not depend on the list of sources: it would
# never generate the new file's moc output. So the stamp goes when the target's files
# differ from those of the last configure (kept in the build folder); a configure with
# nothing new keeps it, and the build then runs no moc and rebuilds nothing.
function(_project_refresh_autogen target files)
    set(kept_file "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}_autogen_sources.txt")
    list(JOIN files "\n" listed)
    set(kept "")
    if(EXISTS "${kept_file}")
        file(READ "${kept_file}" kept)
    endif()
    if(NOT listed STREQUAL kept)
        file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp")
        file(WRITE "${kept_file}" "${listed}")
    endif()
endfunction()

function(_project_glob_sources out dir)
    file(GLOB sources CONFIGURE_DEPENDS
        ${dir}/*.cpp ${dir}/*.h ${dir}/*.ui ${dir}/*.qrc)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    set(${out} ${sources} PARENT_SCOPE)
endfunction()

# The include prefix of a source folder: its path below libs/, else below the project.
function(_project_include_prefix out dir)
    file(RELATIVE_PATH prefix ${PROJECT_SOURCE_DIR} ${dir})
    string(REGEX REPLACE "^libs/" "" prefix "${prefix}")
    set(${out} ${prefix} PARENT_SCOPE)
endfunction()

# Offers the folder's public headers under its prefix in a tree of links in the build
# folder; that tree is the only include path other targets get.
set(PROJECT_PUBLIC_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)
function(_project_export_headers dir private_headers)
    _project_include_prefix(prefix ${dir})
    set(out ${PROJECT_PUBLIC_INCLUDE_DIR}/${prefix})
    # Only this folder's own links go: a nested folder (zumoltc/shell/framework below
    # zumoltc/shell) may have been offered already.
    file(GLOB stale ${out}/*.h)
    if(stale)
        file(REMOVE ${stale})
    endif()
    file(MAKE_DIRECTORY ${out})
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
    foreach(header ${headers})
        get_filename_component(name ${header} NAME)
        if(NOT name IN_LIST private_headers)
            file(CREATE_LINK ${header} ${out}/${name} SYMBOLIC)
        endif()
    endforeach()
endfunction()

# The source folder that a folder under tests/ checks: its mirror, or the nearest parent
# of that (a bench/ or fuzz/ subfolder checks the folder above it).
function(_project_tested_folder out)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
    set(dir ${PROJECT_SOURCE_DIR}/${rel})
    while(NOT IS_DIRECTORY ${dir} AND NOT dir STREQUAL PROJECT_SOURCE_DIR)
        get_filename_component(dir ${dir} DIRECTORY)
    endwhile()
    set(${out} ${dir} PARENT_SCOPE)
endfunction()

function(project_folder_library target)
    cmake_parse_arguments(arg "WIDGETS;PCH" "" "LINKS;DEFINITIONS;SOURCES;PRIVATE_HEADERS" ${ARGN})
    _project_export_headers(${CMAKE_CURRENT_SOURCE_DIR} "${arg_PRIVATE_HEADERS}")
    _project_glob_sources(files ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND files ${arg_SOURCES})
    set(sources ${files})
    list(FILTER sources INCLUDE REGEX "\\.(cpp|ui|qrc)$")
    set(qt Qt5::Core)
    if(arg_WIDGETS)
        list(APPEND qt Qt5::Gui Qt5::Widgets)
    endif()
    if(sources)
        add_library(${target} STATIC ${sources})
        set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
        # The headers count too: AUTOMOC scans the header beside each source.
        _project_refresh_autogen(${target} "${files}")
        target_include_directories(${target}
            PUBLIC ${PROJECT_PUBLIC_INCLUDE_DIR} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${target} PUBLIC ${qt} ${arg_LINKS} PRIVATE project_settings)
        target_compile_definitions(${target} PUBLIC ${arg_DEFINITIONS})
        if(arg_PCH)
            if(arg_WIDGETS)
                target_precompile_headers(${target} PRIVATE ${PROJECT_QT_WIDGETS_PCH_HEADERS})
            else()
                target_precompile_headers(${target} PRIVATE ${PROJECT_QT_PCH_HEADERS})
            endif()
        endif()
    else()
        # A folder that has no code yet still offers its include path and links.
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_PUBLIC_INCLUDE_DIR})
        target_link_libraries(${target} INTERFACE ${qt} ${arg_LINKS})
        target_compile_definitions(${target} INTERFACE ${arg_DEFINITIONS})
    endif()
endfunction()

# One test executable per folder: every tst_*.cpp of the folder goes into it,
# and CTest gets one entry per file (the file's base name selects its class).
# VARIANT builds the same tests a second time against other libraries.
# PARTS <unit>:<function>... splits a file whose runs are long into one entry per test
# function, <folder>/<unit>/<function>, so that ctest -j runs them side by side; the
# parts of a file must name each of its test functions, and only those.
# TIMEOUTS <entry>=<seconds>... (the entry as <unit> or <unit>/<function>) fits the
# time-out of an entry whose work is inherently long; the others get PROJECT_TEST_TIMEOUT.
function(project_folder_tests)
    cmake_parse_arguments(arg "" "VARIANT" "LINKS;SOURCES;DEFINITIONS;PARTS;TIMEOUTS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    if(NOT tests)
        return()
    endif()
    file(GLOB helpers CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
    if(arg_VARIANT)
        set(rel "${rel}/${arg_VARIANT}")
    endif()
    string(REPLACE "/" "_" name "tst_${rel}")
    add_executable(${name} ${tests} ${helpers} ${arg_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    _project_refresh_autogen(${name} "${tests};${helpers};${arg_SOURCES}")
    _project_tested_folder(tested)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${tested})
    target_link_libraries(${name} PRIVATE test_support ${arg_LINKS} project_settings)
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
    foreach(test ${tests})
        get_filename_component(unit ${test} NAME_WE)
        _project_test_parts(${test} "${arg_PARTS}" parts)
        if(NOT parts)
            add_test(NAME ${rel}/${unit} COMMAND ${name} ${unit})
            set(entries ${rel}/${unit})
        else()
            set(entries)
            foreach(part ${parts})
                add_test(NAME ${rel}/${unit}/${part} COMMAND ${name} ${unit} ${part})
                list(APPEND entries ${rel}/${unit}/${part})
            endforeach()
        endif()
        foreach(entry ${entries})
            set(timeout ${PROJECT_TEST_TIMEOUT})
            string(REPLACE "${rel}/" "" own "${entry}")
            foreach(fitted ${arg_TIMEOUTS})
                if(fitted MATCHES "^${own}=([0-9]+)$")
                    set(timeout ${CMAKE_MATCH_1})
                endif()
            endforeach()
            set_tests_properties(${entry} PROPERTIES
                TIMEOUT ${timeout}
                ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PROJECT_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
        endforeach()
    endforeach()
endfunction()

# The test functions of a test file that PARTS names (<unit>:<function>), into out;
# empty when the file is not split. Fails the configure when a part names no test
# function of the file or a test function is left out, for ctest would not run it.
function(_project_test_parts file parts out)
    get_filename_component(unit ${file} NAME_WE)
    set(named)
    foreach(part ${parts})
        if(part MATCHES "^${unit}:(.+)$")
            list(APPEND named ${CMAKE_MATCH_1})
        endif()
    endforeach()
    if(named)
        # The test functions: the slots the class defines in its body, "    void name()".
        file(STRINGS ${file} lines REGEX "^    void [A-Za-z0-9]+\\(\\)$")
        set(functions)
        foreach(line ${lines})
            string(REGEX REPLACE "^    void ([A-Za-z0-9]+)\\(\\)$" "\\1" function "${line}")
            if(NOT function MATCHES "^(initTestCase|cleanupTestCase|init|cleanup)$")
                list(APPEND functions ${function})
            endif()
        endforeach()
        set(sorted_named ${named})
        list(SORT sorted_named)
        list(SORT functions)
        if(NOT sorted_named STREQUAL functions)
            message(FATAL_ERROR "${file}: PARTS name ${named}, its test functions are ${functions}")
        endif()
    endif()
    set(${out} ${named} PARENT_SCOPE)
endfunction()

# A benchmark: a program in build/bench/ that prints its timings (and, for the
# scaling benchmarks, their growth and ratios) when run by hand at its default size.
# Built with BUILD_BENCHMARKS (scripts/test.sh turns it on); ctest then runs each
# once with SMOKE_ARGS, which choose a small size, as the test bench_smoke/<name>
# (label bench_smoke), so that every benchmark keeps building and finishing. The
# smoke run checks no timing.
#   project_benchmark(<name> SOURCES ... [LINKS ...] [SMOKE_ARGS ...])
function(project_benchmark name)
    if(NOT BUILD_BENCHMARKS)
        return()
    endif()
    cmake_parse_arguments(arg "" "" "LINKS;SOURCES;SMOKE_ARGS" ${ARGN})
    add_executable(${name} ${arg_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    _project_tested_folder(tested)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${tested})
    target_link_libraries(${name} PRIVATE ${arg_LINKS} project_settings)
    if(BUILD_TESTING)
        add_test(NAME bench_smoke/${name} COMMAND ${name} ${arg_SMOKE_ARGS})
        set_tests_properties(bench_smoke/${name} PROPERTIES
            LABELS bench_smoke
            TIMEOUT 60
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
endfunction()
