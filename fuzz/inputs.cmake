# The fuzz input handling as libraries, shared by the fuzzers (fuzz/) and by the regression tests
# that replay what the fuzzers found in the ordinary build (tests/fuzz_regressions/).
if(NOT TARGET skp_fuzz_document)
    add_library(skp_fuzz_document STATIC
        ${CMAKE_CURRENT_LIST_DIR}/document_input.cpp
        ${CMAKE_CURRENT_LIST_DIR}/model_walk.cpp)
    target_include_directories(skp_fuzz_document PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    # The scratch folder is the tests' temporary folder (tests/support).
    target_link_libraries(skp_fuzz_document PUBLIC SketchUpAPI test_platform)

    add_library(skp_fuzz_load STATIC ${CMAKE_CURRENT_LIST_DIR}/load_input.cpp)
    target_link_libraries(skp_fuzz_load PUBLIC skp_fuzz_document SkpReader::core)

    add_library(skp_fuzz_gltf STATIC
        ${CMAKE_CURRENT_LIST_DIR}/gltf_input.cpp
        ${CMAKE_CURRENT_LIST_DIR}/scene_counts.cpp)
    target_link_libraries(skp_fuzz_gltf PUBLIC skp_fuzz_load gltf_check)
endif()
