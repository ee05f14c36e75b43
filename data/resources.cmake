# The book's texts, embedded under ":/book".
file(GLOB ZENDRA_BOOK_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/data/book
     ${CMAKE_CURRENT_SOURCE_DIR}/data/book/*.txt)
set(_book_paths)
foreach(f IN LISTS ZENDRA_BOOK_FILES)
  list(APPEND _book_paths data/book/${f})
  set_source_files_properties(data/book/${f} PROPERTIES QT_RESOURCE_ALIAS ${f})
endforeach()
qt_add_resources(zendra_core "book" PREFIX "/book" FILES ${_book_paths})
