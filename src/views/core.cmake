# The plain functions of the recipe views: page, browsing filter, search.
list(APPEND ZESTOVAR_CORE_SOURCES
  views/RecipePage.cpp
  views/RecipeSearch.cpp
  ${CMAKE_BINARY_DIR}/generated/DefaultPicture.cpp
)

# The default picture is part of the program: the page of a recipe without picture shows it.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/generated/DefaultPicture.cpp
  COMMAND ${CMAKE_COMMAND} -DINPUT=${ZESTOVAR_ARTWORK_DIR}/default.jpg
          -DOUTPUT=${CMAKE_BINARY_DIR}/generated/DefaultPicture.cpp -DSYMBOL=defaultPicture
          -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
  DEPENDS ${ZESTOVAR_ARTWORK_DIR}/default.jpg ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake zestovar_artwork
  COMMENT "Embedding the default picture")
