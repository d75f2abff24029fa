# Builds a project of one folder library and one program in WORK, with the folder helpers of
# PROJECT_DIR/cmake, and checks the two halves of a rebuild:
#   - configuring the built project again and building it compiles, links and generates nothing;
#   - a header and source with Q_OBJECT added to the folder get their moc output, so the
#     program that uses the new class links.
file(REMOVE_RECURSE ${WORK})
set(source ${WORK}/source)
set(build ${WORK}/build)

# Writes a file of the project from a template whose @names@ are filled in.
function(write name template)
    string(CONFIGURE "${template}" text @ONLY)
    file(WRITE ${source}/${name} "${text}")
endfunction()

function(qobject_class folder class)
    string(TOLOWER ${class} file)
    write(${folder}/${file}.h [=[
#pragma once
#include <QObject>

class @class@ : public QObject
{
    Q_OBJECT

public:
    void light();

signals:
    void lit();
};
]=])
    write(${folder}/${file}.cpp [=[
#include "@file@.h"

void @class@::light()
{
    emit lit();
}
]=])
endfunction()

# The program names the classes through their meta-objects: it links only with their moc output.
function(program)
    set(includes "")
    set(names "")
    foreach(class ${ARGN})
        string(TOLOWER ${class} file)
        string(APPEND includes "#include \"lamps/${file}.h\"\n")
        string(APPEND names "    names << ${class}::staticMetaObject.className();\n")
    endforeach()
    set(count ${ARGC})
    write(main.cpp [=[
#include <QStringList>
@includes@
int main()
{
    QStringList names;
@names@    return names.size() == @count@ ? 0 : 1;
}
]=])
endfunction()

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed:\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

function(configure)
    run("The configure" ${CMAKE_COMMAND} -S ${source} -B ${build} -G ${GENERATOR}
        -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
        -DQt5_DIR=${Qt5_DIR} -DPROJECT_CMAKE_DIR=${PROJECT_DIR}/cmake)
endfunction()

function(build)
    run("The build" ${CMAKE_COMMAND} --build ${build})
    set(out "${out}" PARENT_SCOPE)
endfunction()

# A build that only re-checks the globbed folders did nothing.
function(expect_no_work when)
    build()
    string(REGEX MATCHALL "\\[[0-9]+/[0-9]+\\] [^\n]*" steps "${out}")
    list(FILTER steps EXCLUDE REGEX "Re-checking globbed directories")
    if(steps)
        list(JOIN steps "\n" steps)
        message(FATAL_ERROR "${when}, the build still did:\n${steps}")
    endif()
endfunction()

write(CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.25)
project(rebuild LANGUAGES CXX)
find_package(Qt5 5.15 REQUIRED COMPONENTS Core)
list(APPEND CMAKE_MODULE_PATH ${PROJECT_CMAKE_DIR})
include(ProjectTargets)
add_subdirectory(lamps)
add_executable(program main.cpp)
target_link_libraries(program PRIVATE lamps)
]=])
write(lamps/CMakeLists.txt "project_folder_library(lamps)\n")
qobject_class(lamps Lamp)
program(Lamp)
configure()
build()

configure()
expect_no_work("After a configure with nothing changed")

# Only the build notices the new files (the globs re-run the configure), as for a user who
# adds a file and builds.
qobject_class(lamps SignalHead)
program(Lamp SignalHead)
# Without the new class's moc output the program does not link.
run("The build with the new class" ${CMAKE_COMMAND} --build ${build})
run("The program" ${build}/program)

configure()
expect_no_work("After the new class and a configure with nothing changed")
