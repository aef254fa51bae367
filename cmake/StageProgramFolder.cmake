# cmake -DASSETS=dir -DTARGET=dir -P StageProgramFolder.cmake
# Copies every delivered file; the settings file is only copied when absent,
# because it holds the user's own settings once the program has run. linux/
# holds what a package installs outside the program folder.
file(GLOB_RECURSE files RELATIVE ${ASSETS} ${ASSETS}/*)
foreach(rel ${files})
    if(rel MATCHES "CMakeLists\\.txt$" OR rel MATCHES "README\\.md$" OR rel MATCHES "^tools/" OR
       rel MATCHES "^linux/")
        continue()
    endif()
    set(dst ${TARGET}/${rel})
    if(rel MATCHES "\\.ini$" AND EXISTS ${dst})
        continue()
    endif()
    get_filename_component(dir ${dst} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${ASSETS}/${rel} ${dst} ONLY_IF_DIFFERENT)
endforeach()
