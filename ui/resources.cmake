include(${CMAKE_SOURCE_DIR}/data/assets-generator/assets.cmake)
