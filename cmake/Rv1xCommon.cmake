# Shared build settings and the helpers every folder uses.

add_compile_options(-Wall -Wextra)

# A library's calls of its own functions, its vtables included, are bound
# when it is linked, not looked up among every loaded library when it is
# loaded: loading the plug-in then costs a fraction of what it did. Data
# (a singleton in an inline function) is still one for the whole program.
string(APPEND CMAKE_SHARED_LINKER_FLAGS " -Wl,-Bsymbolic-functions")

if(RV1X_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Sources of a folder are taken by pattern so that adding a class means adding
# its two files, nothing else.
function(rv1x_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# A deliverable: a shared library that is an in-process component server.
# Its registration data and pictures come from resources/<name>/.
function(rv1x_add_deliverable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET default)
  target_link_libraries(${name} PUBLIC rv1xhost rv1xplatform ${ARG_LIBS})
  set(res_dir ${PROJECT_SOURCE_DIR}/resources/${name})
  file(GLOB_RECURSE res_files CONFIGURE_DEPENDS ${res_dir}/*)
  if(res_files)
    qt_add_resources(${name} "${name}_resources"
      PREFIX "/${name}"
      BASE ${res_dir}
      FILES ${res_files})
  endif()
endfunction()

# A test executable: GoogleTest with the project's own test main, which starts
# an offscreen QApplication and an unattended message-box service.
# SHARDS N splits a program whose tests wait out real time into N ctest
# entries (GoogleTest's own sharding), so that they run side by side.
function(rv1x_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT;SHARDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE rv1xtestsupport ${ARG_LIBS})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;RV1X_BUILD_DIR=${CMAKE_BINARY_DIR}")
  if(ARG_SHARDS EQUAL 1)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT ${ARG_TIMEOUT})
    return()
  endif()
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(index RANGE ${last})
    math(EXPR shown "${index} + 1")
    set(test "${name}_${shown}_of_${ARG_SHARDS}")
    add_test(NAME ${test} COMMAND ${name})
    set_tests_properties(${test} PROPERTIES
      ENVIRONMENT "${environment};GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${index}"
      TIMEOUT ${ARG_TIMEOUT})
  endforeach()
endfunction()

# Sources are found by pattern, and moc's own bookkeeping only follows the
# files it read when it last ran: when a configure finds a target's file list
# changed, its moc step is made to run again.
function(rv1x_autogen_follows_sources dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(automoc ${target} AUTOMOC)
    if(NOT automoc)
      continue()
    endif()
    get_target_property(binary_dir ${target} BINARY_DIR)
    get_target_property(sources ${target} SOURCES)
    string(SHA1 digest "${sources}")
    set(record ${binary_dir}/CMakeFiles/${target}_sources.sha1)
    set(previous "")
    if(EXISTS ${record})
      file(READ ${record} previous)
    endif()
    if(NOT previous STREQUAL digest)
      file(REMOVE ${binary_dir}/${target}_autogen/timestamp)
      file(WRITE ${record} ${digest})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    rv1x_autogen_follows_sources(${sub})
  endforeach()
endfunction()
