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
# A build whose code runs slower than the plain one (scripts/sanitize.sh instruments every
# line) scales every entry's time-out, the fitted ones included, by this whole number.
set(PROJECT_TEST_TIMEOUT_FACTOR 1 CACHE STRING "Scales the time-out of every CTest entry")
if(NOT PROJECT_TEST_TIMEOUT_FACTOR MATCHES "^[1-9][0-9]*$")
    message(FATAL_ERROR "PROJECT_TEST_TIMEOUT_FACTOR must be a whole number from 1, not ${PROJECT_TEST_TIMEOUT_FACTOR}")
endif()

# Gives the CTest entry its time-out, `seconds` scaled by PROJECT_TEST_TIMEOUT_FACTOR. Every
# entry gets its time-out here (tests/buildsystem checks that each one follows the factor).
function(project_test_timeout entry seconds)
    math(EXPR timeout "${seconds} * ${PROJECT_TEST_TIMEOUT_FACTOR}")
    set_tests_properties(${entry} PROPERTIES TIMEOUT ${timeout})
endfunction()

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
# FUNCTIONS <unit>:<function>... splits a file whose runs are long into one entry per test
# function, <folder>/<unit>/<function>, so that ctest -j runs them side by side; the
# functions of a file must be each of its test functions, and only those (the configure
# fails otherwise, and runs again when the file changes).
# TIMEOUTS <entry>=<seconds>... (the entry as <unit> or <unit>/<function>) fits the
# time-out of an entry whose work is inherently long; the others get PROJECT_TEST_TIMEOUT.
# A word written as a keyword (capitals, digits and "_" only) must be one of them wherever it
# stands, so a definition without a value is written NAME=1.
function(project_folder_tests)
    # cmake_parse_arguments would take an unknown keyword as a value of the one before it
    # (LINKS a PARTS b links "PARTS"), and the mistake would show only at link time.
    set(lists LINKS SOURCES DEFINITIONS FUNCTIONS TIMEOUTS)
    set(keywords VARIANT ${lists})
    foreach(argument IN LISTS ARGN)
        if(argument MATCHES "^[A-Z][A-Z0-9_]*$" AND NOT argument IN_LIST keywords)
            list(JOIN keywords ", " known)
            message(FATAL_ERROR "project_folder_tests: unknown keyword ${argument}; the keywords "
                "are ${known} (a definition without a value is written ${argument}=1)")
        endif()
    endforeach()
    cmake_parse_arguments(arg "" "VARIANT" "${lists}" ${ARGN})
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "project_folder_tests: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
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
    set(units)
    set(all_entries)
    foreach(test ${tests})
        get_filename_component(unit ${test} NAME_WE)
        list(APPEND units ${unit})
        _project_split_functions(${test} "${arg_FUNCTIONS}" functions)
        if(NOT functions)
            add_test(NAME ${rel}/${unit} COMMAND ${name} ${unit})
            set(entries ${rel}/${unit})
        else()
            set(entries)
            foreach(function ${functions})
                add_test(NAME ${rel}/${unit}/${function} COMMAND ${name} ${unit} ${function})
                list(APPEND entries ${rel}/${unit}/${function})
            endforeach()
        endif()
        foreach(entry ${entries})
            set(timeout ${PROJECT_TEST_TIMEOUT})
            string(REPLACE "${rel}/" "" own "${entry}")
            list(APPEND all_entries ${own})
            foreach(fitted ${arg_TIMEOUTS})
                if(fitted MATCHES "^${own}=([0-9]+)$")
                    set(timeout ${CMAKE_MATCH_1})
                endif()
            endforeach()
            project_test_timeout(${entry} ${timeout})
            set_tests_properties(${entry} PROPERTIES
                ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PROJECT_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
        endforeach()
    endforeach()
    # A function or time-out for a file or entry that does not exist would go unnoticed.
    foreach(named ${arg_FUNCTIONS})
        if(NOT named MATCHES "^([A-Za-z0-9_]+):[A-Za-z0-9_]+$" OR NOT CMAKE_MATCH_1 IN_LIST units)
            message(FATAL_ERROR
                "${CMAKE_CURRENT_SOURCE_DIR}: FUNCTIONS ${named} names no <unit>:<function> of "
                "the folder's tests (${units})")
        endif()
    endforeach()
    foreach(fitted ${arg_TIMEOUTS})
        if(NOT fitted MATCHES "^(.+)=[0-9]+$" OR NOT CMAKE_MATCH_1 IN_LIST all_entries)
            message(FATAL_ERROR
                "${CMAKE_CURRENT_SOURCE_DIR}: TIMEOUTS ${fitted} names no entry of the folder "
                "(${all_entries})")
        endif()
    endforeach()
endfunction()

# The test functions of a C++ test file, into out: what QtTest runs of the class that the
# file registers with PROJECT_TEST, namely each private slot that returns void and takes no
# argument, but for the data functions (<name>_data) and initTestCase, cleanupTestCase, init
# and cleanup. A slot is found however it is written: declared only, or defined on one line
# or several. Fails the configure when the file registers no class whose body it can read.
function(_project_test_functions file out)
    file(READ ${file} code)
    set(space "[ \t\r\n]")
    # Comments, string and character literals go first, for they may hold anything.
    string(REGEX REPLACE
        "//[^\n]*|/\\*[^*]*\\*+([^*/][^*]*\\*+)*/|\"[^\"\\\\\n]*(\\\\.[^\"\\\\\n]*)*\"|'[^'\\\\\n]*(\\\\.[^'\\\\\n]*)*'"
        " " code "${code}")
    # Characters that CMake's lists treat as their own.
    string(REGEX REPLACE "[][\\\\@]" " " code "${code}")
    if(NOT code MATCHES "PROJECT_TEST${space}*\\(${space}*([A-Za-z_][A-Za-z0-9_]*)${space}*\\)")
        message(FATAL_ERROR "${file}: no PROJECT_TEST(<class>) found for its test functions")
    endif()
    set(class ${CMAKE_MATCH_1})
    # The access sections become marks: @S@ opens private slots, @A@ any other section.
    set(before "(^|[^A-Za-z0-9_])")
    string(REGEX REPLACE "${before}private${space}+(slots|Q_SLOTS)${space}*:" "\\1@S@" code "${code}")
    string(REGEX REPLACE "${before}(public|protected|private)${space}+(slots|Q_SLOTS)${space}*:"
        "\\1@A@" code "${code}")
    string(REGEX REPLACE "${before}(public|protected|private|signals|Q_SIGNALS)${space}*:"
        "\\1@A@" code "${code}")
    # Function bodies and other blocks without a section go, innermost first; each leaves
    # the ";" that ends a declaration, so a slot defined in the class reads as one declared.
    while(TRUE)
        string(REGEX REPLACE "{[^{}@]*}" ";" reduced "${code}")
        if(reduced STREQUAL code)
            break()
        endif()
        set(code "${reduced}")
    endwhile()
    if(NOT code MATCHES "${before}(class|struct)${space}+${class}[^A-Za-z0-9_{;][^{;]*{([^{}]*)}")
        message(FATAL_ERROR "${file}: the body of the test class ${class} was not found")
    endif()
    string(REGEX MATCHALL "@S@[^@]*" sections "${CMAKE_MATCH_3}")
    set(functions)
    foreach(section ${sections})
        string(REPLACE "@S@" "" section "${section}")
        # The section's declarations, one list item each.
        foreach(declaration ${section})
            if(declaration MATCHES
                    "^${space}*(virtual${space}+)?void${space}+([A-Za-z_][A-Za-z0-9_]*)${space}*\\(${space}*(void${space}*)?\\)")
                set(function ${CMAKE_MATCH_2})
                if(NOT function MATCHES "_data$|^(initTestCase|cleanupTestCase|init|cleanup)$")
                    list(APPEND functions ${function})
                endif()
            endif()
        endforeach()
    endforeach()
    set(${out} ${functions} PARENT_SCOPE)
endfunction()

# The test functions that FUNCTIONS names for a test file (<unit>:<function>), into out;
# empty when the file is not split. Fails the configure when one names no test function
# of the file or a test function is left out, for ctest would not run it. The file's
# functions are read at the configure, which therefore runs again when the file changes.
function(_project_split_functions file named_functions out)
    get_filename_component(unit ${file} NAME_WE)
    set(named)
    foreach(named_function ${named_functions})
        if(named_function MATCHES "^${unit}:(.+)$")
            list(APPEND named ${CMAKE_MATCH_1})
        endif()
    endforeach()
    if(named)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
        _project_test_functions(${file} functions)
        set(missing ${functions})
        list(REMOVE_ITEM missing ${named})
        set(unknown ${named})
        if(functions)
            list(REMOVE_ITEM unknown ${functions})
        endif()
        set(twice ${named})
        list(REMOVE_DUPLICATES twice)
        if(missing OR unknown OR NOT twice STREQUAL named)
            list(JOIN functions ", " all)
            list(JOIN missing ", " missing)
            list(JOIN unknown ", " unknown)
            message(FATAL_ERROR "${file}: FUNCTIONS must name each test function once, and "
                "only those: ${all}. Not named: (${missing}). No test function: (${unknown}).")
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
        project_test_timeout(bench_smoke/${name} 60)
        set_tests_properties(bench_smoke/${name} PROPERTIES
            LABELS bench_smoke
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
endfunction()
