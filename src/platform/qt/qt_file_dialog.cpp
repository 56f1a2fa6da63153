#include "platform/qt/qt_file_dialog.h"

#include "platform/qt/arrow_while_modal.h"
#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace zelvane {

std::string qtNameFilter(const FileFilter& filter) {
  std::string patterns;
  std::string pattern;
  auto flush = [&] {
    if (pattern.empty()) return;
    if (!patterns.empty()) patterns += ' ';
    patterns += pattern;
    pattern.clear();
  };
  for (char c : filter.patterns) {
    if (c == ';' || c == ' ' || c == '\t') {
      flush();
    } else {
      pattern += c;
    }
  }
  flush();
  return filter.description + " (" + patterns + ")";
}

std::string QtDialogs::chooseFilePath(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title));
  // Qt's own dialog behaves the same on every desktop: a typed name is taken
  // as it is, in open mode too, and an existing name is not questioned (the
  // save command does its own check).
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                    QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(request.mode == FileDialogMode::Save ? QFileDialog::AcceptSave
                                                            : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setWindowModality(Qt::ApplicationModal);

  QStringList nameFilters;
  for (const FileFilter& filter : request.filters)
    nameFilters << QString::fromStdString(qtNameFilter(filter));
  if (!nameFilters.isEmpty()) {
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.first());
  }
  if (!request.startFolder.empty())
    dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(request.startFolder)));
  if (!request.proposedName.empty())
    dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.proposedName)));

  ArrowWhileModal arrow;
  if (dialog.exec() != QDialog::Accepted) return "";
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return "";
  return QFile::encodeName(chosen.first()).toStdString();
}

}  // namespace zelvane
