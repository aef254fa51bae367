# Build speed. Every translation unit of ours is a few dozen lines on top of
# some 100,000 lines of Qt headers. So every target compiles its sources in
# batches of sixteen (a unity build: the headers are read once per batch),
# targets of more than one batch precompile the Qt headers they use, and
# ccache (when installed) keeps results across clean builds.

# ccache with precompiled headers needs these allowances, or it compiles
# without caching; paths relative to the source folder let another checkout
# of the same sources (a fresh clone, CI) use the same cache. Only when ccache
# is there and no launcher was chosen.
function(tallywick_use_ccache)
    if(CMAKE_CXX_COMPILER_LAUNCHER)
        return()
    endif()
    find_program(TALLYWICK_CCACHE ccache)
    if(TALLYWICK_CCACHE)
        set(launcher ${CMAKE_COMMAND} -E env
            "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
            "CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}" CCACHE_NOHASHDIR=1
            ${TALLYWICK_CCACHE})
        set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher} PARENT_SCOPE)
        set(CMAKE_C_COMPILER_LAUNCHER ${launcher} PARENT_SCOPE)
    endif()
endfunction()

set(TALLYWICK_PCH_CORE <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList>
    <QMap> <QObject> <QString> <QStringList> <QVariant> <functional> <memory> <optional>
    <vector>)
set(TALLYWICK_PCH_WIDGETS <QAction> <QApplication> <QComboBox> <QLabel> <QPushButton>
    <QWidget>)
option(TALLYWICK_PCH "Precompile the Qt headers of each target with enough sources" ON)
option(TALLYWICK_UNITY "Compile every target's sources in batches" ON)
# A precompiled header costs about ten seconds to make: it pays off in a
# target of six sources or more compiled one by one, but in batches only
# where a target has more than one batch (17 sources or more).
if(TALLYWICK_UNITY)
    set(TALLYWICK_PCH_MIN_SOURCES 17)
else()
    set(TALLYWICK_PCH_MIN_SOURCES 6)
endif()

# Whether `target` links a library matching `pattern`, directly or through
# the project's own libraries.
function(tallywick_links target pattern result)
    set(found OFF)
    get_target_property(libs ${target} LINK_LIBRARIES)
    get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS libs ilibs)
        if(lib MATCHES "${pattern}")
            set(found ON)
        elseif(TARGET ${lib})
            get_target_property(imported ${lib} IMPORTED)
            if(NOT imported)
                tallywick_links(${lib} "${pattern}" inner)
                if(inner)
                    set(found ON)
                endif()
            endif()
        endif()
        if(found)
            break()
        endif()
    endforeach()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

# Precompiled headers for every C++ library and executable defined in `dir`
# and below: the Qt Core set, plus the widget set for targets on the window,
# plus GoogleTest for the tests.
function(tallywick_precompile_headers dir)
    if(NOT TALLYWICK_PCH)
        return()
    endif()
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
            continue()
        endif()
        tallywick_links(${target} "^Qt6::" qt)
        if(NOT qt)
            continue()
        endif()
        get_target_property(sources ${target} SOURCES)
        list(FILTER sources INCLUDE REGEX "\\.cpp$")
        list(LENGTH sources count)
        if(count LESS TALLYWICK_PCH_MIN_SOURCES)
            continue()
        endif()
        set(headers ${TALLYWICK_PCH_CORE})
        tallywick_links(${target} "^Qt6::Widgets$" widgets)
        if(widgets)
            list(APPEND headers ${TALLYWICK_PCH_WIDGETS})
        endif()
        tallywick_links(${target} "^GTest::" gtest)
        if(gtest)
            list(APPEND headers <gtest/gtest.h>)
        endif()
        target_precompile_headers(${target} PRIVATE ${headers})
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        tallywick_precompile_headers(${sub})
    endforeach()
endfunction()
