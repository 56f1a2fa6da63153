#include "image/jpeg_errors.h"

namespace zelvane {
namespace {

[[noreturn]] void leaveCodecStep(j_common_ptr codec) {
  std::longjmp(reinterpret_cast<SilentJpegErrors*>(codec->err)->exit, 1);
}

// Warnings (corrupt or missing data) only let decoding go on.
void sayNothing(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* useSilentErrors(SilentJpegErrors& errors) {
  jpeg_error_mgr* manager = jpeg_std_error(&errors.manager);
  manager->error_exit = leaveCodecStep;
  manager->output_message = sayNothing;
  manager->trace_level = -1;
  return manager;
}

}  // namespace zelvane
