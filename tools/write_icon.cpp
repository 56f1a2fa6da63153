// Writes the program's icon as a PNG file, for installing into icon themes:
//   zelvane_write_icon data/zelvane.png
#include <QGuiApplication>
#include <cstdio>

#include "platform/qt/program_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: zelvane_write_icon FILE.png\n", stderr);
    return 2;
  }
  int qtArgc = 3;
  char name[] = "zelvane_write_icon", option[] = "-platform", platform[] = "offscreen";
  char* qtArgv[] = {name, option, platform, nullptr};
  QGuiApplication application(qtArgc, qtArgv);
  if (!zelvane::drawProgramIcon().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "zelvane_write_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
