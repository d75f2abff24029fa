# Builds a project of two folder libraries and one program in WORK, with the folder helpers of
# PROJECT_DIR/cmake, and checks the two halves of a rebuild for each folder's target:
#   - configuring the built project again and building it compiles, links and generates nothing
#     (no target's AUTOMOC stamp goes);
#   - a header and source with Q_OBJECT added to a folder, removed from it, or renamed there get
#     their moc output made or dropped, so that the program that uses the classes links, and a
#     second build then does nothing.
file(REMOVE_RECURSE ${WORK})
set(source ${WORK}/source)
set(build ${WORK}/build)

# Writes a file of the project from a template whose @names@ are filled in.
function(write name template)
    string(CONFIGURE "${template}" text @ONLY)
    file(WRITE ${source}/${name} "${text}")
endfunction()

# A class with a signal, so that it compiles and links only with its moc output. The program
# names it through a function of its source, which keeps the program's own source free of Qt.
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

const char *@file@ClassName()
{
    return @class@::staticMetaObject.className();
}
]=])
endfunction()

function(remove_class folder class)
    string(TOLOWER ${class} file)
    file(REMOVE ${source}/${folder}/${file}.h ${source}/${folder}/${file}.cpp)
endfunction()

# The program checks each class's name from its meta-object.
function(program)
    set(declarations "")
    set(checks "")
    foreach(class ${ARGN})
        string(TOLOWER ${class} file)
        string(APPEND declarations "const char *${file}ClassName();\n")
        string(APPEND checks "        && std::strcmp(${file}ClassName(), \"${class}\") == 0\n")
    endforeach()
    write(main.cpp [=[
#include <cstring>

@declarations@
int main()
{
    return true
@checks@        ? 0
        : 1;
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
        -DPROJECT_CXX_LAUNCHER=${CXX_LAUNCHER}
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

# A change of a folder's classes: the build re-runs the configure (the globs notice the
# files), gives the program the moc output it links with, and a second build does nothing.
function(expect_built when)
    run("The build ${when}" ${CMAKE_COMMAND} --build ${build})
    run("The program ${when}" ${build}/program)
    expect_no_work("After the build ${when}, a second build")
endfunction()

write(CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.25)
project(rebuild LANGUAGES CXX)
find_package(Qt5 5.15 REQUIRED COMPONENTS Core)
string(REPLACE "|" ";" CMAKE_CXX_COMPILER_LAUNCHER "${PROJECT_CXX_LAUNCHER}")
list(APPEND CMAKE_MODULE_PATH ${PROJECT_CMAKE_DIR})
include(ProjectTargets)
add_subdirectory(lamps)
add_subdirectory(heads)
add_executable(program main.cpp)
target_link_libraries(program PRIVATE lamps heads)
]=])
write(lamps/CMakeLists.txt "project_folder_library(lamps)\n")
write(heads/CMakeLists.txt "project_folder_library(heads)\n")
qobject_class(lamps Lamp)
qobject_class(heads Head)
program(Lamp Head)
configure()
build()

configure()
expect_no_work("After a configure with nothing changed")

# Only the build notices the new files (the globs re-run the configure), as for a user who
# adds a file and builds.
qobject_class(heads SignalHead)
program(Lamp Head SignalHead)
expect_built("with the new class")

configure()
expect_no_work("After the new class and a configure with nothing changed")

remove_class(heads SignalHead)
program(Lamp Head)
expect_built("without the removed class")

remove_class(lamps Lamp)
qobject_class(lamps Lantern)
program(Lantern Head)
expect_built("with the renamed class")
