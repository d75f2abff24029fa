# Configures a project of one test folder whose test file is split into one CTest entry per
# test function (FUNCTIONS of project_folder_tests), with the folder helpers of
# PROJECT_DIR/cmake, in WORK, and checks that:
#   - every test function gets its entry, however it is written (declared only, defined on
#     one line or on several), and nothing else does: data functions, initTestCase, init,
#     cleanup and cleanupTestCase, slots that are not private or take arguments, members of
#     other sections or classes, and what comments and strings hold;
#   - FUNCTIONS that leave a test function out, name one the file lacks, name it twice or
#     name a file the folder lacks fail the configure, as do TIMEOUTS for no entry;
#   - a keyword the function does not know fails the configure wherever it stands, also
#     after another keyword, whose values it would otherwise join;
#   - a test function added to the file makes the next build configure again, and fail.
# Only configures: the entries are CTest's, written by the configure.
file(REMOVE_RECURSE ${WORK})
set(source ${WORK}/source)
set(build ${WORK}/build)

file(WRITE ${source}/CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.25)
project(functions LANGUAGES CXX)
find_package(Qt5 5.15 REQUIRED COMPONENTS Core)
list(APPEND CMAKE_MODULE_PATH ${PROJECT_CMAKE_DIR})
include(ProjectTargets)
enable_testing()
add_library(test_support INTERFACE)
add_subdirectory(tests/lamps)
]=])

# The test file; @MORE@ adds to its test class.
set(test_file [=[
#include <QObject>

// A helper whose own private slots are not test functions.
class Receiver : public QObject
{
    Q_OBJECT
private slots:
    void received() {}
};

class TestLamp : public QObject
{
    Q_OBJECT

public:
    void publicHelper() {}

public slots:
    void publicSlot() {}

private slots:
    void initTestCase() { m_on = true; }
    void init() {}
    void oneLine() { QVERIFY(m_on); }
    void declaredOnly();
    void severalLines_data()
    {
        m_on = true;
    }
    void severalLines()
    {
        if (m_on) {
            m_on = false;
        }
    }
    void
    splitHeader
    ( )
    {
    }
    void withBraceInText() { const char *text = "}"; const char c = '{'; (void)text; (void)c; }
    // void commentedOut() {}
    /* void blockCommented() {} */
    void takesArgument(int) {}
    int returnsValue() { return 0; }
    void afterOthers() { const auto f = [] { return 1; }; (void)f; }@MORE@
    void cleanup() {}
    void cleanupTestCase() {}

private:
    void privateHelper() {}
    bool m_on = false;

private slots:
    void secondSection() {}
};

void TestLamp::declaredOnly() {}

PROJECT_TEST(TestLamp);
]=])

set(functions
    oneLine declaredOnly severalLines splitHeader withBraceInText afterOthers secondSection)

function(write_test more)
    string(REPLACE "@MORE@" "${more}" text "${test_file}")
    file(WRITE ${source}/tests/lamps/tst_lamp.cpp "${text}")
endfunction()

# The folder's CMakeLists.txt with the given FUNCTIONS (as <function>s of tst_lamp, or whole
# <unit>:<function> items where they hold a ":") and further arguments.
function(write_folder names)
    set(items "")
    foreach(name ${names})
        if(name MATCHES ":")
            string(APPEND items " ${name}")
        else()
            string(APPEND items " tst_lamp:${name}")
        endif()
    endforeach()
    file(WRITE ${source}/tests/lamps/CMakeLists.txt
        "project_folder_tests(FUNCTIONS${items} ${ARGN})\n")
endfunction()

function(configure result_out output_out)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${source} -B ${build} -G ${GENERATOR}
            -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
            -DQt5_DIR=${Qt5_DIR} -DPROJECT_CMAKE_DIR=${PROJECT_DIR}/cmake
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    set(${result_out} ${result} PARENT_SCOPE)
    set(${output_out} "${out}" PARENT_SCOPE)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/ctestentries.cmake)

function(expect_entries when)
    set(expected)
    foreach(function ${functions})
        list(APPEND expected lamps/tst_lamp/${function})
    endforeach()
    list(SORT expected)
    ctest_entries(${build} found)
    list(TRANSFORM found REPLACE "=.*" "")
    if(NOT found STREQUAL expected)
        message(FATAL_ERROR "${when}, the entries are\n  ${found}\nnot\n  ${expected}")
    endif()
endfunction()

# The configure fails, saying `says`.
function(expect_refused when says)
    configure(result out)
    if(result EQUAL 0)
        message(FATAL_ERROR "${when}, the configure passed:\n${out}")
    endif()
    # The message as one line: CMake wraps it.
    string(REGEX REPLACE "[ \n]+" " " flat "${out}")
    string(FIND "${flat}" "${says}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${when}, the configure failed without \"${says}\":\n${out}")
    endif()
endfunction()

write_test("")
# Values that are no keywords pass: a target with "::", a definition with a value.
write_folder("${functions}" TIMEOUTS tst_lamp/oneLine=240 LINKS Qt5::Core DEFINITIONS LAMP_ON=1)
configure(result out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The configure failed:\n${out}")
endif()
expect_entries("With every test function named")
# The fitted time-out reaches its entry.
ctest_entries(${build} found)
list(FIND found "lamps/tst_lamp/oneLine=240" at)
if(at EQUAL -1)
    message(FATAL_ERROR "The fitted time-out of tst_lamp/oneLine is not 240 s:\n  ${found}")
endif()

set(missing ${functions})
list(REMOVE_ITEM missing oneLine)
write_folder("${missing}")
expect_refused("With a function defined on one line left out" "Not named: (oneLine).")

write_folder("${functions};dropped")
expect_refused("With a function the file lacks" "No test function: (dropped).")

write_folder("${functions};severalLines_data")
expect_refused("With a data function" "No test function: (severalLines_data).")

write_folder("${functions};init")
expect_refused("With init" "No test function: (init).")

write_folder("${functions};oneLine")
expect_refused("With a function named twice" "FUNCTIONS must name each test function once")

write_folder("${functions};tst_lantern:oneLine")
expect_refused("With a file the folder lacks" "FUNCTIONS tst_lantern:oneLine names no")

write_folder("${functions}" TIMEOUTS tst_lamp/dropped=240)
expect_refused("With a time-out for no entry" "TIMEOUTS tst_lamp/dropped=240 names no entry")

# An unknown keyword: first, after a list's values (the old LINKS ... PARTS ...), right after
# a keyword, misspelt, and a definition without a value, which reads as a keyword.
file(WRITE ${source}/tests/lamps/CMakeLists.txt "project_folder_tests(PARTS tst_lamp:oneLine)\n")
expect_refused("With an unknown keyword first" "unknown keyword PARTS;")
write_folder("${functions}" LINKS Qt5::Core PARTS tst_lamp:oneLine)
expect_refused("With an unknown keyword after LINKS" "unknown keyword PARTS;")
write_folder("${functions}" DEFINITIONS PARTS)
expect_refused("With an unknown keyword right after DEFINITIONS" "unknown keyword PARTS;")
write_folder("${functions}" TIMEOUT tst_lamp/oneLine=240)
expect_refused("With TIMEOUT for TIMEOUTS" "unknown keyword TIMEOUT;")
write_folder("${functions}" DEFINITIONS LAMP_ON)
string(CONCAT says "unknown keyword LAMP_ON; the keywords are VARIANT, LINKS, SOURCES, "
    "DEFINITIONS, FUNCTIONS, TIMEOUTS (a definition without a value is written LAMP_ON=1)")
expect_refused("With a definition without a value" "${says}")

# A new test function reaches the configure through the build, which then fails.
write_folder("${functions}")
configure(result out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The configure failed again:\n${out}")
endif()
write_test("\n    void added() {}")
execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} --target help
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(REGEX REPLACE "[ \n]+" " " out "${out}")
string(FIND "${out}" "Not named: (added)." at)
if(result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "A test function added to the file did not fail the build:\n${out}")
endif()
list(APPEND functions added)
write_folder("${functions}")
configure(result out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The configure with the added function named failed:\n${out}")
endif()
expect_entries("With the added function named")
