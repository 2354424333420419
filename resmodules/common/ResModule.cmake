# A resource module: the generated resource script plus the entry point,
# linked without the C runtime so that it imports KERNEL32 alone.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(rdm_add_resource_module target output_name tables)
    set(gen_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
    set(rc ${gen_dir}/${output_name}.rc)
    file(GLOB generator_sources ${PROJECT_SOURCE_DIR}/resmodules/rcgen/*.py ${CMAKE_CURRENT_SOURCE_DIR}/*.py)
    add_custom_command(OUTPUT ${rc}
        COMMAND ${CMAKE_COMMAND} -E env PYTHONDONTWRITEBYTECODE=1 PYTHONPATH=${PROJECT_SOURCE_DIR}/resmodules
                ${Python3_EXECUTABLE} -m rcgen ${CMAKE_CURRENT_SOURCE_DIR}/${tables} ${gen_dir} ${output_name}.rc
        DEPENDS ${generator_sources}
        COMMENT "Generating the resources of ${output_name}")
    add_library(${target} SHARED ${PROJECT_SOURCE_DIR}/resmodules/common/ResModuleEntry.cpp ${rc})
    target_include_directories(${target} PRIVATE ${gen_dir})
    # The i686 entry symbol carries the __stdcall decoration.
    if(RDM_X86)
        set(entry _ResModuleEntry@12)
    else()
        set(entry ResModuleEntry)
    endif()
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-asynchronous-unwind-tables)
    target_link_options(${target} PRIVATE -nostdlib -Wl,--entry,${entry} -s)
    target_link_libraries(${target} PRIVATE kernel32)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${output_name} SUFFIX ".US")
    install(TARGETS ${target} RUNTIME DESTINATION .)
    set_property(GLOBAL APPEND PROPERTY RDM_RESOURCE_MODULES ${target})
endfunction()
