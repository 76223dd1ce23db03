# Helpers shared by every subsystem's CMakeLists.txt.

# Warnings for the project's own code.
function(marrowvale_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# marrowvale_library(<target> [DEPENDS <targets>...])
# A static library from every .cpp in the calling folder; headers are included as "folder/Name.h".
function(marrowvale_library target)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
  marrowvale_warnings(${target})
endfunction()

# marrowvale_tests(<name> [DEPENDS <targets>...])
# One GoogleTest program from every .cpp in the calling folder, each test registered with CTest,
# with the shared test support (tests/support) linked in.
function(marrowvale_tests name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} marrowvale_test_support
                        GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
      MARROWVALE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      MARROWVALE_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
  marrowvale_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# marrowvale_shared_testdata(<target>)
# Defines MARROWVALE_SHARED_TESTDATA for a test program: the folder of real exports from other
# applications, which lies beside the repository and never inside it ("" where it is absent, so
# the tests that read it are skipped).
function(marrowvale_shared_testdata target)
  get_filename_component(parent_dir ${PROJECT_SOURCE_DIR} DIRECTORY)
  get_filename_component(grandparent_dir ${parent_dir} DIRECTORY)
  set(shared_testdata "")
  foreach(candidate ${parent_dir}/shared/testdata ${grandparent_dir}/shared/testdata)
    if(NOT shared_testdata AND IS_DIRECTORY ${candidate})
      set(shared_testdata ${candidate})
    endif()
  endforeach()
  target_compile_definitions(${target} PRIVATE MARROWVALE_SHARED_TESTDATA="${shared_testdata}")
endfunction()
