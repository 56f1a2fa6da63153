#pragma once
// The Save command: filters the full picture with the current settings and
// writes it as a JPEG file under a name that nothing holds yet.
#include <optional>
#include <string>

namespace zelvane {

inline constexpr int kSaveQualityLevel = 8;  // quality 80 on the encoder's scale

void saveAsJpeg();

// The previous save name given to the next save dialog; unset until the
// first save dialog, "" after a cancelled one.
extern std::optional<std::string> savePath;

// True when the name is empty or nothing (file, folder, link) exists under
// it; trailing slashes are ignored.
bool isNameFree(const std::string& name);

// The extension of the path's last part without its dot, or "" ("my photo.jpg"
// gives "jpg"; "photo.", ".jpg", "pics.old/photo" and "photo.j pg" give "").
std::string extensionOf(const std::string& path);

}  // namespace zelvane
