#include "ui/Guarded.h"

#include "ui/TextCodec.h"

namespace zestovar::ui {

void showError(Prompts& prompts, const std::exception& error) { prompts.error(fromUtf8(error.what())); }

}  // namespace zestovar::ui
