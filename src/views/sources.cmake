list(APPEND ZESTOVAR_CORE_SOURCES
  views/SideFile.cpp
)
list(APPEND ZESTOVAR_UI_SOURCES
  views/Browsing.cpp
  views/Search.cpp
  views/ShowRecipe.cpp
  views/MHU.cpp
  views/PageViewer.cpp
  views/Splash.cpp
)
