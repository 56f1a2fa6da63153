#pragma once
// libjpeg's error manager made silent: an error leaves the running codec step
// by longjmp, and no message is ever printed.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace zelvane {

struct SilentJpegErrors {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is ours too
  std::jmp_buf exit;
};

// Fills `errors` and returns the manager to put into a codec object.
jpeg_error_mgr* useSilentErrors(SilentJpegErrors& errors);

}  // namespace zelvane
