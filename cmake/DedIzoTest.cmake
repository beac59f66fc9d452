# dedizo_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [DATABASE])
#
# Adds a Qt Test executable and registers it with ctest. Tests run headless
# (offscreen platform) in a UTF-8 locale. With DATABASE the test is registered
# twice, once per database kind: <name>_sqlite and <name>_postgres; the test
# support library reads DEDIZO_TEST_DB to know which one it runs on.
function(dedizo_add_test)
    cmake_parse_arguments(T "DATABASE" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_compile_definitions(${T_NAME} PRIVATE DEDIZO_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    set(env "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8")
    if(T_DATABASE)
        foreach(kind sqlite postgres)
            add_test(NAME ${T_NAME}_${kind} COMMAND ${T_NAME})
            set_tests_properties(${T_NAME}_${kind} PROPERTIES ENVIRONMENT "${env};DEDIZO_TEST_DB=${kind}" TIMEOUT 600)
        endforeach()
    else()
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
    endif()
endfunction()

# Adds every immediate subfolder of the current source folder that has a CMakeLists.txt.
function(dedizo_add_subdirs)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child ${children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
