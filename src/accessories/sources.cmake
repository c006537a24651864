list(APPEND ZESTOVAR_UI_SOURCES
  accessories/OHU.cpp
  accessories/WCIU.cpp
)
