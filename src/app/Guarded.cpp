#include "app/Guarded.h"

#include "app/TextCodec.h"

namespace zestovar::app {

void showError(Prompts& prompts, const std::exception& error) { prompts.error(fromUtf8(error.what())); }

}  // namespace zestovar::app
