list(APPEND ZESTOVAR_UI_SOURCES
  online/NHU.cpp
  online/ProxE.cpp
)
