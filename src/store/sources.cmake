list(APPEND ZESTOVAR_CORE_SOURCES
  store/BrowseOrder.cpp
  store/Categories.cpp
  store/Check.cpp
  store/Cp1252.cpp
  store/Entry.cpp
  store/Errors.cpp
  store/FileIo.cpp
  store/RecipeStore.cpp
  store/RecordReader.cpp
  store/TextRecipe.cpp
)
