# main.cpp is not listed: it alone makes the program (see ui.cmake).
list(APPEND ZESTOVAR_UI_SOURCES
  app/Application.cpp
  app/Prompts.cpp
  app/ScriptedPrompts.cpp
  app/TextCodec.cpp
)
