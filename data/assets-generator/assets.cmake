# The pictures, sounds and cursors are made at build time by zendra-assetgen
# and embedded into zendra_core under ":/assets". Included from
# ui/resources.cmake at the top level, after the libraries exist.

set(ZENDRA_ASSETGEN_DIR ${CMAKE_CURRENT_LIST_DIR})
set(ZENDRA_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)

add_executable(zendra-assetgen
  ${ZENDRA_ASSETGEN_DIR}/main.cpp
  ${ZENDRA_ASSETGEN_DIR}/Generator.h
  ${ZENDRA_ASSETGEN_DIR}/Noise.h
  ${ZENDRA_ASSETGEN_DIR}/Woods.cpp
  ${ZENDRA_ASSETGEN_DIR}/Papers.cpp
  ${ZENDRA_ASSETGEN_DIR}/TrigramCircle.cpp
  ${ZENDRA_ASSETGEN_DIR}/TrigramCircleLayout.h
  ${ZENDRA_ASSETGEN_DIR}/Coins.cpp
  ${ZENDRA_ASSETGEN_DIR}/Glyphs.cpp
  ${ZENDRA_ASSETGEN_DIR}/CursorArt.cpp
  ${ZENDRA_ASSETGEN_DIR}/Sounds.cpp
  ${ZENDRA_ASSETGEN_DIR}/Icons.cpp
  ${CMAKE_SOURCE_DIR}/ui/AssetFormats.h
  ${CMAKE_SOURCE_DIR}/ui/AssetFormats.cpp)
target_include_directories(zendra-assetgen PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(zendra-assetgen PRIVATE Qt6::Gui)
target_compile_options(zendra-assetgen PRIVATE -Wall -Wextra)
# The generator runs at every build that changes it; keep it quick even in debug builds.
target_compile_options(zendra-assetgen PRIVATE $<$<CONFIG:Debug>:-O2>)

# Pictures the controls paint, each also drawn at twice the size as NAME@2x.bmp
# for high-density screens.
set(ZENDRA_PAINTED_PICTURES
  Stul1 Stul2 Stul3 Stul4 Papir1 Papir2 FuSi1 FuSi2 Wen1 Wen2
  Mince MinceZ MinceKx MinceKxZ Disketa Logo PanelPozadi
  TlJadro TlOpacne TlOtocene TlPoznamky TlVyvoj TlZCar)
set(ZENDRA_ASSET_FILES
  MAINICON.bmp
  Zvonky.wav Zvonek.wav Harfa1.wav Harfa2.wav Hrom.wav
  Ruka.cur RukaZak.cur Sipka.cur SipkaZ.cur HOTLABEL_HANDCUR.cur)
foreach(p IN LISTS ZENDRA_PAINTED_PICTURES)
  list(APPEND ZENDRA_ASSET_FILES ${p}.bmp ${p}@2x.bmp)
endforeach()

set(zendra_asset_outputs)
set(zendra_asset_qrc "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/assets\">\n")
foreach(f IN LISTS ZENDRA_ASSET_FILES)
  list(APPEND zendra_asset_outputs ${ZENDRA_ASSET_DIR}/${f})
  string(APPEND zendra_asset_qrc "  <file alias=\"${f}\">${ZENDRA_ASSET_DIR}/${f}</file>\n")
endforeach()
string(APPEND zendra_asset_qrc "</qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/zendra_assets.qrc CONTENT "${zendra_asset_qrc}")

add_custom_command(OUTPUT ${zendra_asset_outputs}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:zendra-assetgen> ${ZENDRA_ASSET_DIR}
  DEPENDS zendra-assetgen
  COMMENT "Making the pictures, sounds and cursors"
  VERBATIM)

# Several megabytes of pictures: rcc writes them straight into an object file
# instead of a huge C++ array. AssetCatalogue.cpp pulls the object in with
# Q_INIT_RESOURCE, as a static library would otherwise drop it.
qt_add_big_resources(zendra_asset_objects ${CMAKE_BINARY_DIR}/zendra_assets.qrc)
target_sources(zendra_core PRIVATE ${zendra_asset_objects})

# zendra-showcase about|logo: shows the about box or the logo window over a
# table, for screenshots of the finished look. Not part of the default build.
add_executable(zendra-showcase EXCLUDE_FROM_ALL ${ZENDRA_ASSETGEN_DIR}/showcase.cpp)
target_link_libraries(zendra-showcase PRIVATE zendra_gui)
